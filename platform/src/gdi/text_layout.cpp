#include "text_layout.h"

namespace platform {
namespace {

const std::u16string_view kEllipsis = u"...";
// Tabs expand to the next multiple of this many characters.
const size_t kTabColumns = 8;

struct Paragraph {
    std::u16string text;
    int underlined = -1;
};

// CR, LF and CR LF end a line; a break at the very end starts no new one.
std::vector<std::u16string_view> SplitParagraphs(std::u16string_view text)
{
    std::vector<std::u16string_view> paragraphs;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        paragraphs.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size() || paragraphs.empty())
        paragraphs.push_back(text.substr(start));
    return paragraphs;
}

// Takes the prefixes out and expands tabs. Of several marked characters
// only the last is underlined, as one line has one mnemonic.
Paragraph Displayed(std::u16string_view source, const TextLayoutOptions& options)
{
    Paragraph paragraph;
    for (size_t i = 0; i < source.size(); ++i) {
        char16_t c = source[i];
        if (c == u'&' && options.prefixes) {
            if (++i == source.size())
                break;
            c = source[i];
            if (c != u'&')
                paragraph.underlined = static_cast<int>(paragraph.text.size());
        }
        if (c == u'\t' && options.expandTabs) {
            size_t spaces = kTabColumns - paragraph.text.size() % kTabColumns;
            paragraph.text.append(spaces, u' ');
            continue;
        }
        paragraph.text.push_back(c);
    }
    return paragraph;
}

// The longest count of leading characters that fits; fits(n) must hold for
// every n below one that holds.
template <class Fits>
size_t LongestFitting(size_t length, Fits fits)
{
    size_t low = 0;  // known to fit (or nothing)
    size_t high = length + 1;  // known not to fit
    while (high - low > 1) {
        size_t middle = low + (high - low) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle;
    }
    return low;
}

// Where the first line of text ends when it must fit width: after the last
// whole word that fits, or by characters (at least one) when the first word
// is too long alone.
size_t LineEnd(std::u16string_view text, int width, const TextMeasure& measure)
{
    if (measure(text) <= width)
        return text.size();
    size_t end = 0;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == u' ')
            ++i;
        while (i < text.size() && text[i] != u' ')
            ++i;
        if (measure(text.substr(0, i)) > width)
            break;
        end = i;
    }
    if (end > 0)
        return end;
    size_t fitting = LongestFitting(text.size(), [&](size_t n) { return measure(text.substr(0, n)) <= width; });
    return fitting > 0 ? fitting : 1;
}

void AddLine(std::vector<TextLine>& lines, const Paragraph& paragraph, size_t start, size_t end)
{
    TextLine line;
    line.text = paragraph.text.substr(start, end - start);
    int mark = paragraph.underlined;
    if (mark >= static_cast<int>(start) && mark < static_cast<int>(end))
        line.underlined = mark - static_cast<int>(start);
    lines.push_back(std::move(line));
}

// Spaces where a line wraps belong to neither line.
void Wrap(std::vector<TextLine>& lines, const Paragraph& paragraph, int width, const TextMeasure& measure)
{
    std::u16string_view text = paragraph.text;
    size_t start = 0;
    do {
        size_t end = start + LineEnd(text.substr(start), width, measure);
        AddLine(lines, paragraph, start, end);
        start = end;
        while (start < text.size() && text[start] == u' ')
            ++start;
    } while (start < text.size());
}

void Ellipsise(TextLine& line, int width, const TextMeasure& measure)
{
    std::u16string_view text = line.text;
    size_t kept = LongestFitting(text.size(), [&](size_t n) {
        std::u16string candidate(text.substr(0, n));
        candidate += kEllipsis;
        return measure(candidate) <= width;
    });
    if (line.underlined >= static_cast<int>(kept))
        line.underlined = -1;
    line.text.resize(kept);
    line.text += kEllipsis;
}

}  // namespace

std::vector<TextLine> LayOutText(std::u16string_view text, const TextLayoutOptions& options,
                                 const TextMeasure& measure)
{
    std::vector<std::u16string_view> sources;
    if (options.singleLine)
        sources.push_back(text);
    else
        sources = SplitParagraphs(text);
    std::vector<TextLine> lines;
    for (std::u16string_view source : sources) {
        Paragraph paragraph = Displayed(source, options);
        if (options.wordBreak && !options.singleLine)
            Wrap(lines, paragraph, options.width, measure);
        else
            AddLine(lines, paragraph, 0, paragraph.text.size());
    }
    for (TextLine& line : lines) {
        line.width = measure(line.text);
        if (options.endEllipsis && line.width > options.width) {
            Ellipsise(line, options.width, measure);
            line.width = measure(line.text);
        }
    }
    return lines;
}

}  // namespace platform
