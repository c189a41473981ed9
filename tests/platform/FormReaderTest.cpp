// The form description reader: its values, a description using every property it
// knows, and the errors, each with its line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/FormReader.hpp"
#include "platform/Forms.hpp"
#include "platform/Menus.hpp"
#include "platform/Resources.hpp"
#include "platform/StdCtrls.hpp"
#include "support/HeadlessApp.h"

namespace {

std::string Bytes(const AnsiString &s) { return s.Bytes(); }

TFormValue ValueOf(const std::string &value) {
    std::string text = "object A: TA\n  P = " + value + "\nend\n";
    TFormObject root = ParseFormDescription(text, "test");
    EXPECT_EQ(root.properties.size(), 1u) << value;
    return root.properties.empty() ? TFormValue{} : root.properties[0].value;
}

TEST(FormReaderTest, StringsBecomeCodePage932) {
    struct Case {
        const char *value;
        std::string bytes;
    } cases[] = {
        {"'Quindral'", "Quindral"},
        {"'It''s'", "It's"},
        {"''", ""},
        {"'比　較(&H)'", "\x94\xE4\x81\x40\x8A\x72(&H)"},
        {"'ｸﾘｯﾌﾟ'", "\xB8\xD8\xAF\xCC\xDF"},
        // Character codes are Unicode code points, decimal or after "$" hexadecimal.
        {"#27604#12288#36611'(&H)'", "\x94\xE4\x81\x40\x8A\x72(&H)"},
        {"#$6BD4'x'#39", "\x94\xE4x'"},
        {"'ab' +\n    'cd' + #65", "abcdA"},
        {"#233", "?"},  // not in the code page
    };
    for (const Case &c : cases) {
        TFormValue v = ValueOf(c.value);
        EXPECT_EQ(v.kind, TFormValue::String) << c.value;
        EXPECT_EQ(Bytes(v.text), c.bytes) << c.value;
    }
}

TEST(FormReaderTest, OtherValues) {
    TFormValue v = ValueOf("-12");
    EXPECT_EQ(v.kind, TFormValue::Integer);
    EXPECT_EQ(v.integer, -12);
    v = ValueOf("$FF");
    EXPECT_EQ(v.integer, 255);
    v = ValueOf("1.5e2");
    EXPECT_EQ(v.kind, TFormValue::Float);
    EXPECT_EQ(v.real, 150.0);
    v = ValueOf("Form2.Button1");
    EXPECT_EQ(v.kind, TFormValue::Ident);
    EXPECT_EQ(Bytes(v.text), "Form2.Button1");
    v = ValueOf("[fsBold, fsItalic]");
    EXPECT_EQ(v.kind, TFormValue::Set);
    ASSERT_EQ(v.names.size(), 2u);
    EXPECT_EQ(Bytes(v.names[1]), "fsItalic");
    EXPECT_TRUE(ValueOf("[]").names.empty());
    v = ValueOf("(\n    'a'\n    1)");
    EXPECT_EQ(v.kind, TFormValue::List);
    ASSERT_EQ(v.items.size(), 2u);
    EXPECT_EQ(Bytes(v.items[0].text), "a");
    EXPECT_EQ(v.items[1].integer, 1);
    EXPECT_EQ(v.items[1].line, 4);
    v = ValueOf("{\n    0001\n    fFa0}");
    EXPECT_EQ(v.kind, TFormValue::Binary);
    EXPECT_EQ(v.bytes, std::string("\x00\x01\xFF\xA0", 4));
    v = ValueOf("<\n    item\n      A = 1\n      B = 'x'\n    end\n    item\n    end>");
    EXPECT_EQ(v.kind, TFormValue::Collection);
    ASSERT_EQ(v.collection.size(), 2u);
    ASSERT_EQ(v.collection[0].size(), 2u);
    EXPECT_EQ(Bytes(v.collection[0][1].name), "B");
    EXPECT_TRUE(v.collection[1].empty());
}

// One 1 x 1 image of 4 bytes: the icon file header, its directory entry, the bytes.
const std::string IconBytes(
    "\x00\x00\x01\x00\x01\x00"
    "\x01\x01\x00\x00\x01\x00\x20\x00\x04\x00\x00\x00\x16\x00\x00\x00"
    "\xDE\xAD\xBE\xEF",
    26);

class TSampleForm : public TForm {
public:
    void Button1Click(TObject *) { ++Clicks; }
    void Open1Click(TObject *) { ++Clicks; }
    int Clicks = 0;
    explicit TSampleForm(TComponent *Owner) : TForm(Owner) {}
};

const TPublishedMethods<TSampleForm> SampleMethods{{"Button1Click", &TSampleForm::Button1Click},
                                                   {"Open1Click", &TSampleForm::Open1Click}};

const char SampleText[] =
    "object Sample: TSampleForm\n"
    "  Left = -8\n"
    "  Top = $10\n"
    "  Caption = 'It''s '#27604'　'#$8F03 +\n"
    "    '!'\n"
    "  Font.Style = [fsBold, fsUnderline]\n"
    "  Font.Color = clWindowText\n"
    "  Cursor = crHourGlass\n"
    "  menu = MAINMENU1\n"  // any case, and before the menu is made
    "  PixelsPerInch = 120\n"
    "  TextHeight = 15\n"
    "  Icon.Data = {\n"
    "    1A000000000001000100010100000100200004000000160000\n"
    "    00DEADBEEF}\n"
    "  object Memo1: TMemo\n"
    "    Cursor = -2\n"
    "    Font.Name = 'Own'\n"
    "    Lines.Strings = (\n"
    "      'first'\n"
    "      ''\n"
    "      '比較')\n"
    "    ParentFont = False\n"
    "    Visible = False\n"
    "    ScrollBars = ssVertical\n"
    "  end\n"
    "  object Button1: TButton\n"
    "    Caption = 'Go'\n"
    "    OnClick = Button1Click\n"
    "  end\n"
    "  object MainMenu1: TMainMenu\n"
    "    object File1: TMenuItem\n"
    "      Caption = '&File'\n"
    "      ShortCut = 16467\n"
    "      object Open1: TMenuItem\n"
    "        Caption = 'Open'\n"
    "        Visible = False\n"
    "        OnClick = Open1Click\n"
    "      end\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(FormReaderTest, ADescriptionBuildsTheFormAndItsComponents) {
    support::HeadlessApp app;
    const TResources text{{"TSampleForm", rtForm, SampleText, std::strlen(SampleText)}};
    TSampleForm *form = nullptr;
    Application->CreateForm<TSampleForm>(&form);
    EXPECT_EQ(Bytes(form->Name()), "Sample");
    EXPECT_EQ(form->Left, -8);
    EXPECT_EQ(form->Top, 16);
    EXPECT_EQ(Bytes(form->Caption), "It's \x94\xE4\x81\x40\x8A\x72!");
    EXPECT_EQ(form->Font->Style, fsBold | fsUnderline);
    EXPECT_EQ(form->Font->Color, static_cast<int>(0x80000008));
    EXPECT_EQ(form->Cursor, crHourGlass);
    EXPECT_EQ(form->PixelsPerInch, 120);
    EXPECT_EQ(form->TextHeight, 15);
    EXPECT_EQ(form->Icon->Data(), IconBytes);  // the size before the icon file dropped

    auto *memo = dynamic_cast<TMemo *>(form->FindComponent("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(static_cast<TForm *>(memo->Parent), form);
    EXPECT_EQ(Bytes(memo->Text), "first\r\n\r\n\x94\xE4\x8A\x72\r\n");
    EXPECT_EQ(memo->Cursor, crArrow);
    EXPECT_FALSE(memo->Visible);
    EXPECT_FALSE(memo->ParentFont);
    EXPECT_EQ(Bytes(memo->Font->Name), "Own");
    EXPECT_EQ(memo->ScrollBars, ssVertical);
    EXPECT_EQ(memo->TabOrder, 0);

    auto *button = dynamic_cast<TButton *>(form->FindComponent("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->ParentFont);
    EXPECT_EQ(button->Font->Style, fsBold | fsUnderline);
    EXPECT_EQ(button->TabOrder, 1);
    button->Click();
    EXPECT_EQ(form->Clicks, 1);

    auto *menu = dynamic_cast<TMainMenu *>(form->FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(static_cast<TMainMenu *>(form->Menu), menu);
    ASSERT_EQ(menu->Items->Count(), 1);
    TMenuItem *file = menu->Items->Items(0);
    EXPECT_EQ(Bytes(file->Name()), "File1");
    EXPECT_EQ(file->Owner(), form);
    EXPECT_EQ(file->ShortCut, 16467);
    ASSERT_EQ(file->Count(), 1);
    EXPECT_FALSE(file->Items(0)->Visible);
    file->Items(0)->Click();
    EXPECT_EQ(form->Clicks, 2);
}

TEST(FormReaderTest, IconDataIsTheIconFileWithOrWithoutItsSize) {
    for (const char *data : {"{000001000100010100000100200004000000160000 00DEADBEEF}",
                             "{1A000000 000001000100010100000100200004000000160000 00DEADBEEF}"}) {
        TForm form(nullptr);
        ReadForm(&form, "TIconForm",
                 std::string("object F: TIconForm\n  Icon.Data = ") + data + "\nend\n");
        EXPECT_EQ(form.Icon->Data(), IconBytes) << data;
    }
}

// A form class with one published method, for the errors below.
class TBadForm : public TForm {
public:
    void Known(TObject *) {}
    using TForm::TForm;
};
const TPublishedMethods<TBadForm> BadMethods{{"Known", &TBadForm::Known}};

TEST(FormReaderTest, ErrorsNameTheirLine) {
    const std::string deep = "object F: TBadForm\n  P = " + std::string(40, '(') + "\nend\n";
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {"", "line 1: expected 'object', found the end of the text"},
        {"object F: TBadForm\n  Left = 1\n", "line 3: object F (line 1) has no 'end'"},
        {"object F: TBadForm\n  Left 1\nend\n", "line 2: expected '=' after Left, found '1'"},
        {"object F TBadForm\nend\n",
         "line 1: expected ':' after the object's name, found 'TBadForm'"},
        {"inherited F: TBadForm\nend\n", "line 1: 'inherited' objects are not supported"},
        {"object F: TBadForm\n  Caption = 'abc\nend\n", "line 2: string without its closing quote"},
        {"object F: TBadForm\n  Caption = 'a' + 1\nend\n",
         "line 2: expected a string after '+', found '1'"},
        {"object F: TBadForm\n  Caption = #1114112\nend\n", "line 2: #1114112 is no character"},
        {"object F: TBadForm\n  Caption = #55296\nend\n", "line 2: #55296 is no character"},
        {"object F: TBadForm\n  Caption = '\xFF'\nend\n", "line 2: string is not UTF-8 text"},
        {"object F: TBadForm\n  Left = 12px\nend\n", "line 2: invalid number ending in 'px'"},
        {"object F: TBadForm\n  Icon.Data = {\n    0000010\n  }\nend\n",
         "line 4: binary data with an odd number of hex digits"},
        {"object F: TBadForm\n  Icon.Data = {00x1}\nend\n", "line 2: binary data holds 'x'"},
        {deep, "line 2: values nested too deeply"},
        {"object F: TBadForm\nend\nobject G: TBadForm\nend\n",
         "line 3: text after the last 'end': 'object'"},
        {"object F: TBadForm\n  object B: TButton\n  end\n  Left = 1\nend\n",
         "line 4: property 'Left' after the nested objects of F"},
        // The description parses, but does not fit the components.
        {"object F: TOther\nend\n", "line 1: the description is of TOther, not of TBadForm"},
        {"object F: TBadForm\n  object L: TLabel\n  end\nend\n",
         "line 2: class TLabel is not known"},
        {"object F: TBadForm\n  Colour = 1\nend\n", "line 2: F (TForm) has no property Colour"},
        {"object F: TBadForm\n  object M: TMemo\n    Caption = 'x'\n  end\nend\n",
         "line 3: M (TMemo) has no property Caption"},
        {"object F: TBadForm\n  object K: TMainMenu\n    Left = 1\n  end\nend\n",
         "line 3: K (TMainMenu) has no property Left"},
        {"object F: TBadForm\n  Left = 'x'\nend\n", "line 2: Left takes an integer"},
        {"object F: TBadForm\n  Left = 2147483648\nend\n", "line 2: Left out of range"},
        {"object F: TBadForm\n  Caption = Quindral\nend\n", "line 2: Caption takes a string"},
        {"object F: TBadForm\n  Cursor = crPointer\nend\n",
         "line 2: crPointer is no value of Cursor"},
        {"object F: TBadForm\n  Font.Style = [fsBold, fsHeavy]\nend\n",
         "line 2: fsHeavy is no value of Font.Style"},
        {"object F: TBadForm\n  object M: TMemo\n    ReadOnly = Yes\n  end\nend\n",
         "line 3: Yes is no value of ReadOnly"},
        {"object F: TBadForm\n  object M: TMemo\n    ScrollBars = ssAll\n  end\nend\n",
         "line 3: ssAll is no value of ScrollBars"},
        {"object F: TBadForm\n  object M: TMemo\n    Lines.Strings = (\n      'a'\n      1)\n"
         "  end\nend\n",
         "line 5: Lines.Strings holds strings only"},
        {"object F: TBadForm\n  object B: TButton\n    OnClick = Unknown1Click\n  end\nend\n",
         "line 3: TBadForm has no published method Unknown1Click"},
        {"object F: TBadForm\n  object B: TButton\n    OnClick = 'Known'\n  end\nend\n",
         "line 3: OnClick takes the name of a method"},
        {"object F: TBadForm\n  Menu = B\n  object B: TButton\n  end\nend\n",
         "line 2: Menu: B is no TMainMenu of the form"},
        {"object F: TBadForm\n  Menu = Nowhere\nend\n",
         "line 2: Menu: Nowhere is no TMainMenu of the form"},
        {"object F: TBadForm\n  object B: TButton\n  end\n  object b: TButton\n  end\nend\n",
         "line 4: a component named b exists already"},
        {"object F: TBadForm\n  object M: TMemo\n    object B: TButton\n    end\n  end\nend\n",
         "line 3: M (TMemo) cannot hold B (TButton)"},
        {"object F: TBadForm\n  object K1: TMenuItem\n  end\nend\n",
         "line 2: F (TForm) cannot hold K1 (TMenuItem)"},
        {"object F: TBadForm\n  Icon.Data = {0000020001000000}\nend\n",
         "line 2: Icon.Data holds no icon file"},
    };
    for (const Case &c : cases) {
        TForm form(nullptr);
        try {
            ReadForm(&form, "TBadForm", c.text);
            ADD_FAILURE() << "read: " << c.message;
        } catch (const EReadError &e) {
            EXPECT_EQ(Bytes(e.Message), "TBadForm form description, " + c.message);
        }
    }
}

}  // namespace
