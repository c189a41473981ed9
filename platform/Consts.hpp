// The platform's message texts, in code page 932, as its Japanese edition has them.
#pragma once

#include "platform/System.hpp"

namespace Consts {
inline const AnsiString SFCreateError = u8"ﾌｧｲﾙ %s を作成できません";
inline const AnsiString SFOpenError = u8"ﾌｧｲﾙ %s を開けません";
inline const AnsiString SWriteError = u8"ｽﾄﾘｰﾑへの書き込みｴﾗｰ";
inline const AnsiString SReadError = u8"ｽﾄﾘｰﾑの読み込みｴﾗｰ";
inline const AnsiString SInvalidDate = u8"日付に変換できない値が渡されました";
inline const AnsiString SInvalidTime = u8"時刻に変換できない値が渡されました";
}  // namespace Consts
