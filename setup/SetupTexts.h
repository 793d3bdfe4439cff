#pragma once

// Every text the setup window shows: its controls, questions and messages.
// Code page 932 in the binary; \n becomes a line break in the boxes.

#include <string_view>

inline constexpr std::string_view InstallCaptionTail = " インスツール";
inline constexpr std::string_view UninstallCaptionTail = " アンインスツール";

inline constexpr std::string_view FolderPromptTail = "を置くフォルダーの設定：";
inline constexpr std::string_view GroupPromptTail = "を登録するグループの選択：";
inline constexpr std::string_view DefaultButtonCaption = "初期値";
inline constexpr std::string_view BrowseButtonCaption = "参照";
inline constexpr std::string_view StandardColorCaption = "標準色";
inline constexpr std::string_view CancelButtonCaption = "中止";
inline constexpr std::string_view InstallButtonCaption = "設定";
inline constexpr std::string_view InstallingCaption = "設定中";
inline constexpr std::string_view StartupCheckCaption = "スタートアップグループにも、アイコンを登録する。";

inline constexpr std::string_view FolderHint = "登録するフォルダーの設定";
inline constexpr std::string_view DefaultButtonHint = "初期値に戻す";
inline constexpr std::string_view BrowseButtonHint = "既に存在するフォルダーから選択する時";
inline constexpr std::string_view GroupHint = "登録グループ名を選びます";
inline constexpr std::string_view CancelButtonHint = "インスツールを中止します";
inline constexpr std::string_view InstallButtonHint = "現在の設定値で登録する";

// The folder browser's title.
inline constexpr std::string_view BrowseTitle = "登録先";

inline constexpr std::string_view NoMemoryText = "初期化０：メモリーが確保できません";
inline constexpr std::string_view NoGroupListText = "グループ名の取得に失敗しました・・・";
inline constexpr std::string_view CancelledText = "インスツールを中止します。";
inline constexpr std::string_view NoGroupText = "グループ名を設定して下さい。";
inline constexpr std::string_view NoFolderText = "フォルダーを設定して下さい。";
// After "[ " and an existing level that other users may change.
inline constexpr std::string_view ChangeableFolderQuestion
    = " ]"
      "\nこのフォルダーは、他のユーザーも変更できます。\nここに置いたプログラムは、他のユーザーに置き換えられ"
      "る恐れがあります。\nこのまま登録してよろしいですか？";
inline constexpr std::string_view CreateFolderQuestion = "\nフォルダーを作成します";
inline constexpr std::string_view CreateFolderFailedText = " ]\nフォルダーの作成に失敗しました・・・";
inline constexpr std::string_view BadFolderText = "[  ]\nデータが不正です";
inline constexpr std::string_view CopyFailedText = "\nファイルのコピーに失敗しました・・・";
// Followed by a line with the key that could not be written.
inline constexpr std::string_view RegistryWriteFailedText = "レジストリへの書き込みに失敗しました・・・";
inline constexpr std::string_view NoStartupGroupText
    = "ｱｲｺﾝ:スタートアップグループが不明ですので アイコン登録出来ません";
inline constexpr std::string_view InstalledHead = "登録完了です。\n\n[ ";
// Between the group and the closing line; left out when Program Manager
// refused the group or its item.
inline constexpr std::string_view InstalledGroupLine = " ]\nグループに登録しました☆☆";
inline constexpr std::string_view InstalledUnregisteredGroupLine = " ]";
inline constexpr std::string_view InstalledTail = "\nお疲れ様☆☆";

inline constexpr std::string_view UninstallQuestionTail = "\nを、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？";
// After the path of the program file that the uninstall copy cannot delete.
inline constexpr std::string_view FileStillHeldQuestion
    = "\nを削除できません。使用中か、書き込みが禁止されています。\n削除を続けて試みますか？";
inline constexpr std::string_view RenamedProgramText
    = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：プログラムのファイル名が DRIM32.EXE ではありません。\n何も変更せずに終了します。";
// Shown before anything is removed when the program file may not be
// deleted by this user.
inline constexpr std::string_view AdministratorNeededText
    = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙには管理者の権限が必要です。\n"
      "管理者として実行しないとｱﾝｲﾝｽﾂｰﾙ出来ません。\n何も変更せずに終了します。";
inline constexpr std::string_view UninstallCancelledText = "ｱﾝｲﾝｽﾂｰﾙを中止しました。";
inline constexpr std::string_view DeleteSettingsQuestion
    = "当ソフトのレジストリー情報も削除してよろしいですか？？";
inline constexpr std::string_view CopyStartFailedText = "1ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙｿﾌﾄの起動に失敗しました";
inline constexpr std::string_view CopyFolderFailedText = "2ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙｿﾌﾄの起動に失敗しました";
inline constexpr std::string_view BadParameterText
    = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ﾊﾟﾗﾒｰﾀｰが不正です・・・\n[PALUN RUZI32]専用のｱﾝｲﾝｽﾂｰﾙｿﾌﾄです。";
// Instead of the completion report when something could not be removed;
// followed by one line for each thing that remains.
inline constexpr std::string_view IncompleteUninstallHead
    = "ｱﾝｲﾝｽﾂｰﾙが完了しませんでした・・・\n次のものを削除できませんでした：";
// A group's item that Program Manager did not remove, around the group.
inline constexpr std::string_view GroupItemHead = "[ ";
inline constexpr std::string_view GroupItemTail = " ]グループのアイコン";
// After a settings key whose value could not be deleted.
inline constexpr std::string_view ValueOfKeyText = " の値 ";
inline constexpr std::string_view UninstalledText = "アンインスツールが完了しました☆☆☆\nお疲れ様☆☆☆";
inline constexpr std::string_view ProgramRunningText
    = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ソフトが起動中です。\n終了しないとｱﾝｲﾝｽﾂｰﾙ出来ません。";
