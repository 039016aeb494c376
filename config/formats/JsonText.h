#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// Helpers of the strict JSON layer under the configuration file format.

/// A key of a JSON object, from the program's ASCII names.
QString JsonKey(const char* key);
/// "path.key": where a member of an object stands, for messages.
std::string JsonMember(const std::string& path, const char* key);
/// "path[index]": where an element of an array stands.
std::string JsonElement(const std::string& path, qsizetype index);

/// Why `text` would not come back the same from a JSON file: empty when it would. A NUL is
/// no reason: JSON carries it as \u0000.
std::string JsonTextProblem(const std::string& text);

/// Line and column (both from 1, the column in characters) of a byte offset, for messages.
std::string JsonPosition(const QByteArray& json, qsizetype offset);

/// JSON's parser keeps only the last of two equal keys in one object, without a word; a
/// file edited by hand may hold both. Finds the first repeated key of a text the parser
/// accepted, with the offset of its second appearance.
bool FindRepeatedJsonKey(const QByteArray& json, std::string& key, qsizetype& offset);
