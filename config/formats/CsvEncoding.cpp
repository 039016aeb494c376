#include "config/formats/CsvEncoding.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

/// Decodes all of `bytes` with `decoder`; false at the first byte sequence it cannot read.
/// With `strict`, private-use characters count as unreadable too: bytes GBK leaves unassigned
/// come out as those, and no spreadsheet text in GBK holds them.
bool DecodeAll(QStringDecoder& decoder, const QByteArray& bytes, std::string& text, bool strict = false)
{
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError() || !decoder.isValid())
        return false;
    if (strict && std::any_of(decoded.begin(), decoded.end(),
                              [](QChar c) { return c.category() == QChar::Other_PrivateUse; }))
        return false;
    text = decoded.toStdString();
    return true;
}

} // namespace

QByteArray CsvFileBytes(const std::string& text)
{
    return QByteArray(kUtf8Bom) + QByteArray::fromStdString(text);
}

bool CsvFileText(const QByteArray& bytes, std::string& text, std::string& encoding, std::string& error)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        error = "文件是 UTF-16 编码的（电子表格“Unicode 文本”格式），请另存为“CSV UTF-8”或“CSV（逗号分隔）”";
        return false;
    }
    if (bytes.startsWith(kUtf8Bom)) {
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        if (!DecodeAll(utf8, bytes.mid(3), text)) {
            error = "文件以 UTF-8 的字节顺序标记开头，却含有不是 UTF-8 的字节";
            return false;
        }
        encoding = "UTF-8（带BOM）";
        return true;
    }
    // GBK text of any length is almost never valid UTF-8, so UTF-8 is tried first.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    if (DecodeAll(utf8, bytes, text)) {
        encoding = "UTF-8";
        return true;
    }
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    if (DecodeAll(gbk, bytes, text, true)) {
        encoding = "GBK";
        return true;
    }
    error = "文件既不是 UTF-8 也不是 GBK 编码的文本";
    return false;
}
