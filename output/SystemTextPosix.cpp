#include "SystemText.h"

#include <QFile>

QString FileNameText(const std::string &path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FileNameBytes(const QString &path) {
    return QFile::encodeName(path).toStdString();
}

QString SystemReasonText(const std::string &reason) {
    return QString::fromLocal8Bit(reason);
}
