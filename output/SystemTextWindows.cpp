#include "SystemText.h"

QString FileNameText(const std::string &path) {
    return QString::fromStdString(path);
}

std::string FileNameBytes(const QString &path) {
    return path.toStdString();
}

QString SystemReasonText(const std::string &reason) {
    return QString::fromStdString(reason);
}
