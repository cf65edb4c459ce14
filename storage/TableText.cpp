#include "storage/TableText.h"

#include <array>
#include <cstdint>

#include "base/Failure.h"

namespace brenta::storage {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::array<char, 3> kSeparators = {'\t', ';', ','};

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// How many lines hold each separator outside quotes, and how many lines there are.
// followQuotes: a quote opened on one line goes on over the next, as CSV has it;
// else quotes are followed within a line only.
struct SeparatorCount {
    std::array<std::size_t, kSeparators.size()> linesWith{};
    std::size_t lines = 0;
    bool endsInQuote = false;
};

SeparatorCount CountSeparators(std::string_view text, bool followQuotes)
{
    SeparatorCount count;
    std::array<bool, kSeparators.size()> seen{};
    bool inQuote = false;
    bool blank = true;
    auto endLine = [&] {
        if (!blank) {
            ++count.lines;
            for (std::size_t k = 0; k < kSeparators.size(); ++k)
                count.linesWith[k] += seen[k] ? 1 : 0;
        }
        seen = {};
        blank = true;
        if (!followQuotes)
            inQuote = false;
    };
    // A quote opens a cell only at its start: after a line end or any of the
    // separators, spaces aside; inside, a doubled quote is text.
    bool cellStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuote && !followQuotes && IsLineEnd(c)) {
            endLine();
            cellStart = true;
            continue;
        }
        if (inQuote) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"')
                    ++i;
                else
                    inQuote = false;
            }
            continue;
        }
        if (IsLineEnd(c)) {
            endLine();
            cellStart = true;
            continue;
        }
        if (c == ' ')
            continue;
        blank = blank && c == '\t';
        if (c == '"' && cellStart) {
            inQuote = true;
            blank = false;
            continue;
        }
        cellStart = false;
        for (std::size_t k = 0; k < kSeparators.size(); ++k) {
            if (c == kSeparators[k]) {
                seen[k] = true;
                cellStart = true;
            }
        }
    }
    count.endsInQuote = inQuote;
    endLine();
    return count;
}

// The separator the lines agree on. A quote never closed would hide every line
// after it: then quotes are followed within a line only.
char DecideSeparator(std::string_view text)
{
    SeparatorCount count = CountSeparators(text, true);
    if (count.endsInQuote)
        count = CountSeparators(text, false);
    for (std::size_t k = 0; k < kSeparators.size(); ++k)
        if (count.lines > 0 && count.linesWith[k] == count.lines)
            return kSeparators[k];
    std::size_t best = 0;
    for (std::size_t k = 1; k < kSeparators.size(); ++k)
        if (count.linesWith[k] > count.linesWith[best])
            best = k;
    return count.linesWith[best] > 0 ? kSeparators[best] : '\0';
}

class Reader {
public:
    Reader(std::string_view text, char separator) : text_(text), separator_(separator), lastQuote_(text.rfind('"'))
    {
    }

    Table Read()
    {
        Table table;
        table.separator = separator_;
        while (pos_ < text_.size()) {
            TableRow row = ReadRow();
            bool empty = true;
            for (const std::string& cell : row.cells)
                empty = empty && cell.empty();
            if (!empty || !row.problem.empty())
                table.rows.push_back(std::move(row));
        }
        return table;
    }

private:
    bool IsSpace(char c) const { return c == ' ' || (c == '\t' && separator_ != '\t'); }
    bool IsSeparator(char c) const { return separator_ != '\0' && c == separator_; }
    bool AtFieldEnd() const { return pos_ >= text_.size() || IsLineEnd(text_[pos_]) || IsSeparator(text_[pos_]); }

    // Past one line end (CR LF counts once), counting the line.
    void SkipLineEnd()
    {
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n')
            ++pos_;
        ++pos_;
        ++line_;
    }

    TableRow ReadRow()
    {
        TableRow row;
        row.line = line_;
        const std::size_t rowStart = pos_;
        const std::size_t rowLine = line_;
        while (true) {
            std::string cell;
            if (!ReadCell(cell)) {
                // A quote that is never closed: the row is its first line as it stands,
                // and reading goes on with the next line.
                pos_ = rowStart;
                line_ = rowLine;
                row.cells.clear();
                row.problem = "a quote is not closed";
                ReadRawLine(row);
                return row;
            }
            row.cells.push_back(std::move(cell));
            if (pos_ < text_.size() && IsSeparator(text_[pos_])) {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size())
                SkipLineEnd();
            return row;
        }
    }

    // One cell up to its separator or line end; false for a quote never closed.
    bool ReadCell(std::string& cell)
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            // No quote after this one anywhere: it cannot close.
            if (lastQuote_ == pos_)
                return false;
            ++pos_;
            while (true) {
                // Every quote after the opening one was a doubled quote.
                if (pos_ >= text_.size())
                    return false;
                const char c = text_[pos_];
                if (c == '"') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '"') {
                        cell += '"';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                if (IsLineEnd(c)) {
                    // A line break inside quotes is kept as one LF.
                    SkipLineEnd();
                    cell += '\n';
                    continue;
                }
                cell += c;
                ++pos_;
            }
        }
        const std::size_t rest = pos_;
        while (!AtFieldEnd())
            ++pos_;
        std::size_t end = pos_;
        while (end > rest && IsSpace(text_[end - 1]))
            --end;
        cell.append(text_.substr(rest, end - rest));
        return true;
    }

    // The rest of a row's first line, split at the separator without quoting.
    void ReadRawLine(TableRow& row)
    {
        std::string cell;
        while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) {
            if (IsSeparator(text_[pos_])) {
                row.cells.push_back(std::move(cell));
                cell.clear();
            } else {
                cell += text_[pos_];
            }
            ++pos_;
        }
        row.cells.push_back(std::move(cell));
        if (pos_ < text_.size())
            SkipLineEnd();
    }

    std::string_view text_;
    char separator_;
    std::size_t lastQuote_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 text after its byte-order mark as UTF-8; a unit that pairs with nothing
// becomes U+FFFD, and so does an odd last byte.
std::string Utf16AsUtf8(std::string_view bytes, bool littleEndian)
{
    constexpr std::uint32_t kReplacement = 0xFFFD;
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
        const auto b = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1]));
        return littleEndian ? a | (b << 8) : (a << 8) | b;
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? kReplacement : u);
    }
    if (i < bytes.size())
        AppendUtf8(out, kReplacement);
    return out;
}

} // namespace

Table ReadTable(std::string_view text)
{
    if (text.size() > kMaxTableBytes)
        throw Failure("The text is larger than 64 MiB");
    // Spreadsheets save "Unicode text" as UTF-16 with a byte-order mark.
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
        const std::string utf8 = Utf16AsUtf8(text.substr(2), text.front() == '\xFF');
        return Reader(utf8, DecideSeparator(utf8)).Read();
    }
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    return Reader(text, DecideSeparator(text)).Read();
}

DecimalConvention DecideDecimals(const std::vector<std::string_view>& figures, const NumberFormat& locale)
{
    std::size_t points = 0;
    std::size_t commas = 0;
    for (const std::string_view figure : figures) {
        if (const auto mark = numbers::DecimalMarkOf(figure))
            (*mark == '.' ? points : commas) += 1;
    }
    if (points == commas)
        return DecimalConvention{locale, false};
    return DecimalConvention{NumberFormat::FromDecimalSeparator(points > commas ? '.' : ','), true};
}

std::optional<double> CellNumber(std::string_view cell, const NumberFormat& fmt)
{
    try {
        return numbers::ToNumberAnyGroups(cell, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

std::string CsvField(std::string_view text)
{
    const bool outerSpace = !text.empty() && (text.front() == ' ' || text.back() == ' ');
    if (!outerSpace && text.find_first_of(",;\t\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace brenta::storage
