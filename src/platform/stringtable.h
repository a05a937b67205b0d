#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace StringId {
constexpr int32_t kDocument = 128;
constexpr int32_t kAppTitle = 57344;
constexpr int32_t kIdleMessage = 57345;
constexpr int32_t kIndicatorCaps = 59137;
constexpr int32_t kIndicatorNum = 59138;
constexpr int32_t kIndicatorScroll = 59139;
}

// The program's string table. The commands' prompts and tooltips live in the
// command table.
class StringTable {
public:
    // The string with `id`, or an empty string when there is none.
    static QString Load(int32_t id);

    // Field `index` of the document string: 0 the frame title, 1 the
    // document name, 2 the type name, 3 the file filter, 4 the extension.
    static QString DocumentField(int index);
    // The application title: the caption of messages that give none, and the
    // name of the profile key.
    static QString AppTitle() { return Load(StringId::kAppTitle); }

    // A file's path as messages name it: in double quotes.
    static QString Quoted(const std::string& path);

    // Field `index` of a string whose fields are separated by line breaks;
    // empty when it has fewer.
    static QString Field(const QString& text, int index);
};
