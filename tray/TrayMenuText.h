#pragma once

// The tray menus' captions and the tray window's messages, byte for byte.

#include <cstdint>
#include <string_view>

namespace TrayText {

inline constexpr std::string_view P0 = "ｽｸﾘｰﾝｾｰﾊﾞｰと、省電力機能を、ＯＦＦにする(&F)";
inline constexpr std::string_view P1 = "元に戻す　（SS_ON）(&N)";
inline constexpr std::string_view OffTimerLead = "時間を決めて、ＯＦＦにする";
inline constexpr std::string_view OffTimerKey = "(&T)";
inline constexpr std::string_view OffTimerEntries[]
    = { "３０分(&1)", "１時間(&2)", "２時間(&3)", "４時間(&4)", "８時間(&5)" };
// Each entry doubles the one before.
inline constexpr std::uint16_t OffTimerFirstMinutes = 30;
inline constexpr std::string_view PWATCH = "アプリの実行中は、ＯＦＦにする(&W)";
inline constexpr std::string_view PWATCH_CLEAR = "すべて解除する(&R)";
inline constexpr std::string_view PAC_ONLY = "電源につないでいる時だけ、ＯＦＦにする(&P)";
inline constexpr std::string_view PST0 = "自動立ち上げ(&A)";
inline constexpr std::string_view PST1 = "立ち上げ時、必ずＯＦＦにする(&C)";
inline constexpr std::string_view PMR_SS_SET = "スクリーンセーバーの設定(&G)";
inline constexpr std::string_view PMR_MYSOFT = "OFF_SS アイコンを表示する(&0)";
inline constexpr std::string_view PMR_SS = "ON_SS  アイコンを表示する(&1)";
inline constexpr std::string_view MICON_SET = "アイコンを、スタートアップにも、登録する (&S)";
inline constexpr std::string_view MICON_DEL = "アイコンを、スタートアップから、削除する (&S)";
inline constexpr std::string_view MDESK_SET = "アイコンを、デスクトップにも、登録する (&D)";
inline constexpr std::string_view MDESK_DEL = "アイコンを、デスクトップから、削除する (&D)";
inline constexpr std::string_view P2 = "終了(&X)";
inline constexpr std::string_view CloseMenu = "このメニューを閉じる(&Z)";
inline constexpr std::string_view PML_OFF = "ｽｸﾘｰﾝｾｰﾊﾞｰ＆省電力ＯＦＦ(&F)";
inline constexpr std::string_view PML_ON = "元に戻す （SS_ON）(&N)";
inline constexpr std::string_view Separator = "-";

inline constexpr std::string_view DisplayPropertiesFailed
    = "エラー：画面のプロパティ表示に失敗しました・・・";
inline constexpr std::string_view StartupGroupUnknown
    = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";
inline constexpr std::string_view DesktopAlreadyRegistered = "デスクトップには、既に登録されています☆☆☆";
inline constexpr std::string_view DesktopCopyFailed = "デスクトップへの登録に失敗しました・・・";
inline constexpr std::string_view SettingsSaveFailed = "エラー：設定の保存に失敗しました・・・";
// The help texts: the two that name the help file come after its path.
inline constexpr std::string_view HtmlHelpMissing
    = "エラー：ヘルプを表示する hhctrl.ocx が読み込めません・・・";
inline constexpr std::string_view ChmMissing = "エラー：ヘルプファイルが見つかりません・・・";
inline constexpr std::string_view HelpNotShown = "エラー：ヘルプファイルを表示できません・・・";
inline constexpr std::string_view TrayIconMissing
    = "タスクトレイにアイコンを登録できません・・・\nアイコンが出るまで、登録を続けます。";
inline constexpr std::string_view LockPolicyInForce
    = "管理者の設定により、操作のない時間が続くと画面がロックされます・・・\n"
      "このため、このＰＣでは DRIM32 は画面をＯＮに保ちません。";

} // namespace TrayText
