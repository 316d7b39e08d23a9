#include "FileMessages.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {

// A text in the interface's language; count, where given, chooses its plural form.
QString Tr(const char *text, int count = -1) {
    return QCoreApplication::translate("FileMessages", text, nullptr, count);
}

// The count that chooses the plural form for a number of bytes; the number itself
// goes in as %1, as a file's size may be past the range of int.
int ByteCount(long long bytes) {
    return int(std::min<long long>(bytes, std::numeric_limits<int>::max()));
}

} // namespace

QString ExportFailureText(const ExportResult &result, const std::string &fileName) {
    const QString name = FileNameText(fileName);
    const QString cause = SystemReasonText(result.cause);
    switch (result.failure) {
    case ExportFailure::CannotCreate:
        return Tr(QT_TRANSLATE_NOOP("FileMessages", "ファイル %1 を作成できません: %2"))
            .arg(name, cause);
    case ExportFailure::NoTemporary:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "%1 に一時ファイルを作成できません: %2。%3 は変更していません"))
            .arg(FileNameText(result.folder), cause, name);
    case ExportFailure::Write:
        return Tr(QT_TRANSLATE_NOOP("FileMessages", "ストリームへの書き込みエラー: %1: %2"))
            .arg(name, cause);
    case ExportFailure::Commit:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "新しい %1 を置けません: %2。%1 は変更していません"))
            .arg(name, cause);
    case ExportFailure::FolderSync:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "新しい %1 を置きましたが、フォルダーを同期できません: %2。"
                                    "停電などがあると新しい画像は失われることがあります"))
            .arg(name, cause);
    case ExportFailure::TooLargeForBmp:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "%1 に保存できません: BMP ファイルは 4 GiB までで、"
                                    "%2 の画像は入りません"))
            .arg(name, cause);
    case ExportFailure::TooLargeForJpeg:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "%1 に保存できません: JPEG の幅と高さは 65500 ピクセルまでで、"
                                    "この画像は %2 です"))
            .arg(name, cause);
    case ExportFailure::Jpeg:
        return Tr(QT_TRANSLATE_NOOP("FileMessages", "JPEG エラー #%1")).arg(cause);
    case ExportFailure::Png:
        return Tr(QT_TRANSLATE_NOOP("FileMessages", "PNG エラー: %1")).arg(cause);
    case ExportFailure::OutOfMemory:
        return Tr(QT_TRANSLATE_NOOP("FileMessages", "メモリが足りないため、画像を保存できません"));
    case ExportFailure::NoThread:
        return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                    "作業スレッドを作成できないため、画像を保存できません (%1)"))
            .arg(cause);
    case ExportFailure::None:
        break;
    }
    return {};
}

QString NothingToSaveText() {
    return Tr(
        QT_TRANSLATE_NOOP("FileMessages", "画像の幅か高さが 0 なので、保存するものがありません"));
}

QString OverStarFileText(const std::string &picture, const std::string &starFile) {
    return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                "画像 %1 は、描く元の設定ファイル %2 と同じファイルなので、"
                                "保存できません。どちらのファイルも変更していません"))
        .arg(FileNameText(picture), FileNameText(starFile));
}

QString StarFileProblemText(const std::string &path, const SettingsProblem &problem) {
    QString why;
    switch (problem.kind) {
    case SettingsProblem::NotRegular:
        why = Tr(QT_TRANSLATE_NOOP("FileMessages", "通常のファイルではありません"));
        break;
    case SettingsProblem::TooShort:
        why = Tr(QT_TRANSLATE_N_NOOP("FileMessages",
                                     "%1 バイトしかなく、設定の 68 バイトに足りません"),
                 ByteCount(problem.size))
                  .arg(problem.size);
        break;
    case SettingsProblem::NotStarFile:
        why = Tr(QT_TRANSLATE_N_NOOP("FileMessages",
                                     "星のファイルではありません: %1 バイトで、68 バイトでも、"
                                     "拡張ブロックが続くのでもありません"),
                 ByteCount(problem.size))
                  .arg(problem.size);
        break;
    case SettingsProblem::System:
    case SettingsProblem::None:
        why = SystemReasonText(problem.cause);
        break;
    }
    return Tr(QT_TRANSLATE_NOOP("FileMessages", "設定ファイル %1 を読み込めません: %2"))
        .arg(FileNameText(path), why);
}

QString UnknownDataText(const std::string &path) {
    return Tr(QT_TRANSLATE_NOOP("FileMessages",
                                "設定ファイル %1 には、この版の知らないデータがあります"))
        .arg(FileNameText(path));
}
