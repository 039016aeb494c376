#include "config/formats/CJsonWriter.h"

#include "config/formats/JsonText.h"

QJsonValue CJsonWriter::Text(const std::string& text, const std::string& path)
{
    const std::string problem = JsonTextProblem(text);
    if (!problem.empty() && m_error.empty())
        m_error = path + "：" + problem + "，无法原样写入文件";
    return QString::fromStdString(text);
}
