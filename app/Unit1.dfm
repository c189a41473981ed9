object Form1: TForm1
  Left = 109
  Top = 88
  Width = 528
  Height = 435
  Caption = 'Quindral'
  Font.Charset = SHIFTJIS_CHARSET
  Font.Color = clBlack
  Font.Height = -12
  Font.Name = 'ＭＳ ゴシック'
  Font.Style = []
  Menu = MainMenu1
  PixelsPerInch = 96
  TextHeight = 12
  object Memo1: TMemo
    Left = 16
    Top = 72
    Width = 465
    Height = 265
    Font.Charset = SHIFTJIS_CHARSET
    Font.Color = clBlack
    Font.Height = -12
    Font.Name = 'ＭＳ ゴシック'
    Font.Style = []
    Lines.Strings = (
      'Memo1')
    ParentFont = False
    ReadOnly = True
    ScrollBars = ssBoth
    TabOrder = 0
  end
  object MainMenu1: TMainMenu
    object K1: TMenuItem
      Caption = '開始(&S)'
      OnClick = K1Click
    end
    object Close1: TMenuItem
      Caption = '閉じる(&E)'
      OnClick = Close1Click
    end
  end
  object Button1: TButton
    Left = 208
    Top = 352
    Width = 73
    Height = 33
    Caption = 'ﾌｧｲﾙ更新(&A)'
    TabOrder = 1
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 112
    Top = 16
    Width = 73
    Height = 33
    Caption = '比　較(&H)'
    TabOrder = 2
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 272
    Top = 16
    Width = 129
    Height = 33
    Caption = 'ｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰ(&C)'
    TabOrder = 3
    OnClick = Button3Click
  end
end
