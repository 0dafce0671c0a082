// Every text the installer shows or writes, in one place.
#pragma once

namespace vx::inst::text {

// Setup information file.
inline constexpr char kSection[] = "SetupInformation";
inline constexpr char kSetupFileBroken[] =
    "インストール設定情報ファイルが存在しないか、壊れています。\nインストール元を確認してください。"
    "\n"
    "インストールを中止します。";
inline constexpr char kNoInstallRight[] =
    "インストール権限がありません。詳しくは、システム管理者にお問い合わせください。";

// Folder window.
inline constexpr char kDefaultDestination[] = "%c:\\Program Files\\%s";
inline constexpr char kSpecifyDestination[] = "インストール先を指定してください。";
inline constexpr char kNoFreeSpace[] =
    "指定されたドライブは、空き容量が不足しているためインストールできません。\n"
    "インストールするドライブを変更するか、%dMB以上の空き容量を確保してからやり直してください。";
inline constexpr char kCreateFolderQuestion[] =
    "指定されたフォルダ\n   %s     \nはありません。\nフォルダを作成してもよろしいですか？";
inline constexpr char kInstallBegins[] = "インストールを開始します。";
inline constexpr char kBrowseTitle[] = "インストール先のフォルダを選択してください。";
inline constexpr char kFolderNotCreated[] = "フォルダ %s を作成できませんでした。";
inline constexpr char kDestinationTooLong[] =
    "指定されたフォルダは、パスが長すぎるためインストールできません。\n"
    "259文字以内で指定してください。";
inline constexpr char kDestinationHoldsSource[] =
    "指定されたフォルダは、インストール元のフォルダと重なっているためインストールできません。\n"
    "インストール元とは別のフォルダを指定してください。";
inline constexpr char kDestinationIsLink[] =
    "指定されたフォルダは、別のフォルダへのリンクのためインストールできません。\n"
    "インストール先を指定してください。";
inline constexpr char kInstalledElsewhere[] =
    "すでにフォルダ %s にインストールされています。\n"
    "別のフォルダにインストールするには、先にアンインストールしてください。";
// The Windows Installer package (installer/msi/QLV3906.wxs, values from scripts/make-medium.py)
// marks its install with the folder under this key (%s: INSTALL_FOLDER); VXInst then refuses
// to install beside it, so one folder never has two records.
inline constexpr char kMsiMarkKey[] = "SOFTWARE\\ZAM\\%s";
inline constexpr char kMsiMarkValue[] = "MsiInstallFolder";
inline constexpr char kInstalledByMsi[] =
    "すでにフォルダ %s に Windows インストーラ パッケージでインストールされています。\n"
    "このプログラムでインストールするには、先にそのパッケージをアンインストールしてください。";
// The package's own message when a newer version of it is installed.
inline constexpr char kMsiNewerInstalled[] =
    "より新しいバージョンがすでにインストールされています。";

// Install progress.
inline constexpr char kPercent[] = "%d％";
inline constexpr char kPreparing[] = "準備をしています.....";
inline constexpr char kInstallStarting[] = "インストールを開始します.....";
inline constexpr char kRequiredFileMissing[] =
    "インストールに必要なファイルがありません。\nインストールを中止します。";
inline constexpr char kInstallingInstaller[] = "VXInst.exeをインストールしています.....";
inline constexpr char kInstallingSetupFile[] = "VXInst.iniをインストールしています.....";
inline constexpr char kInstallingFile[] = "%s をインストールしています.....";
inline constexpr char kRegisteringShortcuts[] = "ショートカットを登録しています.....";
inline constexpr char kRegisteringRegistry[] = "レジストリを登録しています.....";
inline constexpr char kInstallDoneStep[] = "インストールが完了しました.....";
inline constexpr char kInstallDone[] = "インストールが完了しました。";
inline constexpr char kShowHelpQuestion[] = "今すぐに%sのヘルプを表示しますか？";
inline constexpr char kFileNotInstalled[] =
    "%s をインストールできませんでした。\nインストールを中止します。";
inline constexpr char kInstallStopped[] = "\nインストールを中止します。";

// Shortcuts and registry.
inline constexpr char kUninstallRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The install record under the uninstall entry (lists of paths, see StoreRecord).
inline constexpr char kInstalledFiles[] = "InstalledFiles";
inline constexpr char kPublisher[] = "ZAM";
inline constexpr char kInstalledFolders[] = "InstalledFolders";
inline constexpr char kShellFoldersHklm[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kShellFoldersDefaultUser[] =
    ".DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kInstallInfoMissing[] =
    "インストールに必要な情報を取得できませんでした。\nインストールを中止します。";
inline constexpr char kProgramDescription[] =
    "%sのプリンタ設定を変更するためのユーティリティです。";
inline constexpr char kHelpDescription[] = "ZAM %s ベルトリクスのヘルプです。";
inline constexpr char kHelpShortcutName[] = "ベルトリクスのヘルプ";
inline constexpr char kSetPathFailed[] = "SetPath failed!";
inline constexpr char kSetDescriptionFailed[] = "SetDescription failed!";
inline constexpr char kSetWorkingDirectoryFailed[] = "SetWrokingDirectory failed!";
inline constexpr char kSaveFailed[] = "Save failed!";
inline constexpr char kRegistryWriteFailed[] = "レジストリの書き込みに失敗しました。";

// Uninstall.
inline constexpr char kUninstallInfoMissing[] =
    "アンインストールに必要な情報を取得できませんでした。\nアンインストールを中止します。";
inline constexpr char kErrorNumber[] = "エラー番号：%d";
inline constexpr char kUninstallerStartError[] = "アンインストーラ起動エラー";
// Silent mode's log only.
inline constexpr char kUninstallerNotStarted[] = "%s を起動できませんでした。";
inline constexpr char kUninstallCancelled[] = "アンインストールは中止されました。";
inline constexpr char kInstallPathMissing[] =
    "アンインストール情報が取得できませんでした。\nアンインストールを中止します。";
inline constexpr char kRegistryMissing[] =
    "レジストリが存在しないか、壊れています。\nアンインストールを中止します。";
inline constexpr char kRegistryUnreadable[] =
    "レジストリが取得できませんでした。\nアンインストールを中止します。";
inline constexpr char kRegistryNotDeleted[] =
    "レジストリを削除できませんでした。\nアンインストールを中止します。";
inline constexpr char kUninstallStarting[] = "アンインストールを開始します.....";
inline constexpr char kRemovingShortcuts[] = "ショートカットを削除しています.....";
inline constexpr char kRemovingRegistry[] = "レジストリを削除しています.....";
inline constexpr char kDeletingFiles[] = "ファイルを削除しています....";
inline constexpr char kUninstallDone[] = "アンインストールが完了しました。";
inline constexpr char kUninstallDoneFolderLeft[] =
    "アンインストールが完了しました。\n"
    "インストールの記録がないため、フォルダ %s の中のファイルは削除されませんでした。";
inline constexpr char kUninstallDoneAtRestart[] =
    "アンインストールが完了しました。\n"
    "使用中のファイルは、次回コンピュータを起動したときに削除されます。";
inline constexpr char kFileInUse[] =
    "ファイル %s は使用中のため削除できませんでした。\n"
    "アンインストールを中止します。";
inline constexpr char kOtherInstall[] =
    "アンインストール情報は、別のフォルダ %s のインストールのものです。\n"
    "アンインストールを中止します。";
inline constexpr char kUninstallProgressTitle[] = "アンインストール中...";

}  // namespace vx::inst::text
