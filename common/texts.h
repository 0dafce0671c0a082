// Every message the settings program shows, in one place. vxctl says some of
// them too (cli/messages.h takes them from here).
#pragma once

namespace vx::text {

// The caption of every message box.
inline constexpr char kCaption[] = "Veltrix";

// Start-up and quitting.
inline constexpr char kNameTooLong[] =
    "コマンドラインで指定された設定ファイル名が長すぎるため、読み込めません。\n"
    "ファイル名を短くしてやり直してください。";
inline constexpr char kSendBeforeExit[] =
    "Veltrix を終了する前に、設定値をプリンタへ送信しますか？";
inline constexpr char kSaveBeforeExit[] = "Veltrix を終了する前に、設定ファイルへ保存しますか？";
inline constexpr char kFactoryDefaultsShown[] = "工場出荷設定値を表示しました。";
inline constexpr char kNoHelpFile[] = "ヘルプファイルが見つかりません。";
// The main window or one of its pages could not be made: the program ends.
inline constexpr char kWindowNotCreated[] =
    "ウィンドウを作成できませんでした。\n\nVeltrixを終了します。";

// Settings files.
inline constexpr char kDiscardQuestion[] =
    "設定が変更されています。\nコマンドを続行すると設定の変更は破棄されます。";
inline constexpr char kLoadDiscardQuestion[] =
    "設定が変更されています。\n読み込みを続行すると現在の設定内容は破棄されます。";
inline constexpr char kNotSettingsFile[] = "このファイルは設定ファイルではありません。";
inline constexpr char kNotValidSettingsFile[] = "このファイルは有効な設定ファイルではありません。";
inline constexpr char kNoPermission[] =
    "このディレクトリに保存するアクセス許可がありません。\n"
    "管理者に問い合わせてアクセス許可を取得してください。\n\n"
    "設定ファイルの保存先を変更してやり直してください。";
inline constexpr char kWriteFailed[] = "設定ファイルの書き込みに失敗しました。";
inline constexpr char kLoadedBefore[] = "設定ファイル [";
inline constexpr char kLoadedAfter[] = "] を読み込みました。";
inline constexpr char kFileFilter[] = "VX設定ファイル (*.dat)|*.dat||";

// The printer.
inline constexpr char kSendBeforeSwitch[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定値をプリンタへ送信しますか？";
inline constexpr char kSaveBeforeSwitch[] =
    "設定値が変更されています。\nプリンタを切り替える前に、設定ファイルへ保存しますか？";
inline constexpr char kNtCannotReceive[] =
    "Windows XP/2000/NT 4.0でご利用になる場合、設定値をプリンタから取得することはできません。";
inline constexpr char kCannotReceive[] = "設定値をプリンタから取得できません。";
inline constexpr char kPrinterNamePart[] = "プリンタ名： ";
inline constexpr char kDestinationPart[] = "接続先： ";
inline constexpr char kNoPrinterSelected[] =
    "プリンタが選択されていません。\nプリンタを選択してください。";
inline constexpr char kSendToFile[] = "接続先がFILEのため設定値を送信できません。";
inline constexpr char kPrintToFile[] = "接続先がFILEのため実行できません。";
inline constexpr char kSent[] = "プリンタに設定値を送信しました。";
inline constexpr char kPrinted[] = "プリンタの現在の設定値を印刷しました。";
inline constexpr char kNotAttached[] =
    "指定されたプリンタは、現在接続されていないか、プリンタ使用権の制限により使用できません。";
inline constexpr char kNotReady[] =
    "現在プリンタが印刷中あるいは、エラーが発生しているため、設定値の取得はできません。";
inline constexpr char kTimeoutsNotRead[] = "Not Set Timeout";
inline constexpr char kTimeoutsNotSet[] = "Not Set Timeout2";
inline constexpr char kRequestNotWritten[] = "プリンタに送信できませんでした。";
inline constexpr char kReadFailed[] = "プリンタから設定値を取得できませんでした。";
inline constexpr char kReceived[] = "プリンタから設定値を取得しました。";

// The status bar's third part: where the values on the pages came from.
inline constexpr char kSourcePrinterBefore[] = "受信 (";
inline constexpr char kSourcePrinterAfter[] = ")";
inline constexpr char kSourceFile[] = "ファイル： ";
inline constexpr char kSourceFactory[] = "工場出荷設定値";
inline constexpr char kSourceChanged[] = "（変更あり）";

// The printer list.
inline constexpr char kNoPrinter[] =
    "使用可能なプリンタがありませんでした。プリンタドライバを確認してからやり直してください。"
    "\n\nVeltrixを終了します。";
inline constexpr char kAllFile[] =
    "インストールされているプリンタの接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を確認してやり直してください。\n\nVeltrixを終了します。";
inline constexpr char kOnlyFile[] =
    "接続先がFILEのため設定値を受信/送信できません。\nプリンタ設定を確認してやり直してください。"
    "\n\nVeltrixを終了します。";
inline constexpr char kChooseAnother[] =
    "接続先がFILEのため設定値を受信/送信できません。\n"
    "プリンタ設定を変更するか、他のプリンタに変更してください。";
inline constexpr char kNoMemory[] =
    "メモリが不足しているため、プリンタの一覧を取得できませんでした。";

}  // namespace vx::text
