#include "ArgumentText.h"

#include <cstring>

namespace {
constexpr char16_t kEscapeBase = 0xDC00;
} // namespace

QString ArgumentFromBytes(const char *bytes) {
    const QByteArray raw(bytes, qsizetype(std::strlen(bytes)));
    QString text = QString::fromUtf8(raw);
    if (text.toUtf8() == raw)
        return text;
    text.clear();
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte < 0x80 ? QChar(byte) : QChar(char16_t(kEscapeBase + byte));
    }
    return text;
}

std::string ArgumentToBytes(const QString &text) {
    std::string bytes;
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        bytes += text.mid(runStart, end - runStart).toStdString();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            flushRun(i);
            bytes += char(unit - kEscapeBase);
            runStart = i + 1;
        }
    }
    flushRun(text.size());
    return bytes;
}

QStringList ArgumentsFromBytes(int argc, char **argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << ArgumentFromBytes(argv[i]);
    return arguments;
}

std::string ConsoleBytes(const QString &text) {
    return text.toLocal8Bit().toStdString();
}
