#include "XmlInputCheck.h"

#include <algorithm>

namespace {

// The position after `end` found from `at`, or the end of the text.
size_t After(const std::string& text, size_t at, const char* end)
{
    const size_t found = text.find(end, at);
    return found == std::string::npos ? text.size() : found + std::char_traits<char>::length(end);
}

bool StartsWith(const std::string& text, size_t at, const char* prefix)
{
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

bool CheckXmlInput(const std::string& text, const std::string& file, InputError* error)
{
    error->file = file;
    if (text.size() > kMaxMapBytes) {
        error->message =
            "larger than " + std::to_string(kMaxMapBytes >> 20) + " MiB, more than a map can need";
        return false;
    }
    size_t at = text.find('<');
    while (at < text.size()) {
        if (StartsWith(text, at, "<!--")) {
            at = After(text, at + 4, "-->");
        } else if (StartsWith(text, at, "<![CDATA[")) {
            at = After(text, at + 9, "]]>");
        } else if (StartsWith(text, at, "<?")) {
            at = After(text, at + 2, "?>");
        } else if (StartsWith(text, at, "<!")) {
            at = After(text, at + 2, ">");
        } else {
            // A tag: every attribute in it has one '=' outside quotes.
            const size_t start = at++;
            unsigned attributes = 0;
            while (at < text.size() && text[at] != '>') {
                if (text[at] == '"' || text[at] == '\'')
                    at = text.find(text[at], at + 1);
                else if (text[at] == '=' && ++attributes > kMaxXmlAttributes) {
                    error->line = 1 + static_cast<unsigned>(
                                          std::count(text.begin(), text.begin() + start, '\n'));
                    error->message = "an element with more than " +
                                     std::to_string(kMaxXmlAttributes) +
                                     " attributes; no map needs so many";
                    return false;
                }
                if (at == std::string::npos)
                    return true;  // an open quote: tinyxml2 refuses it
                ++at;
            }
        }
        at = text.find('<', at);
    }
    return true;
}

bool ParseCheckedXml(const std::string& text, const std::string& file,
                     tinyxml2::XMLDocument* document, InputError* error)
{
    if (!CheckXmlInput(text, file, error))
        return false;
    if (document->Parse(text.data(), text.size()) == tinyxml2::XML_SUCCESS)
        return true;
    error->line = static_cast<unsigned>(document->ErrorLineNum());
    error->message = std::string("not well-formed XML: ") + document->ErrorName();
    return false;
}
