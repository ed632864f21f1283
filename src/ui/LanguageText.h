#pragma once

#include <string>

class CPaintManagerUI;

// Texts that carry a number: a language key whose text is a printf-style format for one
// integer, e.g. "message_text_16" -> "... %d ...".
class LanguageText {
public:
    // The name of the hidden label of the main skin that translates keys.
    static constexpr const char* kTranslatorLabel = "str_test";

    // The key's text in the current language, read back through the window's "str_test" label
    // (through the language table when the window has none).
    static std::string Resolve(CPaintManagerUI* manager, const std::string& key);
    // Resolve(key) used as the format for value; the finished text for a message box.
    static std::string Format(CPaintManagerUI* manager, const std::string& key, long value);
    // Fills format's one integer conversion (%d, %i or %u with flags, width and l/ll) with
    // value; "%%" is a percent sign. The format comes from a data file, so nothing else is
    // trusted: a text with no such conversion, more than one or any other conversion is shown
    // as it is, followed by a space and the number.
    static std::string FormatNumber(const std::string& format, long value);
    // Whether format has the one integer conversion FormatNumber fills.
    static bool TakesNumber(const std::string& format);
};
