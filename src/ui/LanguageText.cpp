#include "ui/LanguageText.h"

#include "toolkit/PaintManagerUI.h"
#include "toolkit/ResourceManager.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace {

struct Conversion {
    size_t begin;
    size_t end; // one past the conversion letter
};

// The end of the conversion that starts at the '%' at begin, when it is an integer one.
std::optional<size_t> IntegerConversionEnd(const std::string& format, size_t begin)
{
    size_t i = begin + 1;
    while (i < format.size() && std::string_view("-+ 0").find(format[i]) != std::string_view::npos)
        ++i;
    for (int digits = 0; i < format.size() && std::isdigit(static_cast<unsigned char>(format[i])); ++digits, ++i) {
        if (digits == 3) // a width beyond 999 is no text anyone meant
            return std::nullopt;
    }
    while (i < format.size() && format[i] == 'l')
        ++i;
    if (i - begin > 8 || i >= format.size())
        return std::nullopt;
    char letter = format[i];
    if (letter != 'd' && letter != 'i' && letter != 'u')
        return std::nullopt;
    return i + 1;
}

// The single integer conversion of format; none when there is no conversion, more than one,
// or one of another kind.
std::optional<Conversion> SingleIntegerConversion(const std::string& format)
{
    std::optional<Conversion> found;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        std::optional<size_t> end = IntegerConversionEnd(format, i);
        if (!end || found)
            return std::nullopt;
        found = Conversion{i, *end};
        i = *end - 1;
    }
    return found;
}

std::string WithoutDoublePercent(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
    }
    return out;
}

} // namespace

std::string LanguageText::Resolve(CPaintManagerUI* manager, const std::string& key)
{
    std::string keyText = "%[" + key + "]";
    CControlUI* label = manager ? manager->FindControl(kTranslatorLabel) : nullptr;
    if (!label)
        return CResourceManager::GetInstance().ResolveText(keyText);
    label->SetText(keyText);
    return label->GetText();
}

std::string LanguageText::Format(CPaintManagerUI* manager, const std::string& key, long value)
{
    return FormatNumber(Resolve(manager, key), value);
}

std::string LanguageText::FormatNumber(const std::string& format, long value)
{
    std::optional<Conversion> conversion = SingleIntegerConversion(format);
    if (!conversion)
        return WithoutDoublePercent(format) + " " + std::to_string(value);
    // The conversion alone goes through printf, with l so that value's type always matches.
    std::string single = format.substr(conversion->begin, conversion->end - conversion->begin);
    // %u prints as %d so that a negative value shows its sign.
    char letter = single.back() == 'u' ? 'd' : single.back();
    single.erase(single.find_first_of("ldiu"));
    single += "l";
    single += letter;
    char number[64];
    std::snprintf(number, sizeof number, single.c_str(), value);
    return WithoutDoublePercent(format.substr(0, conversion->begin)) + number +
           WithoutDoublePercent(format.substr(conversion->end));
}

bool LanguageText::TakesNumber(const std::string& format)
{
    return SingleIntegerConversion(format).has_value();
}
