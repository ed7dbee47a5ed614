#include "workbook/xls_writer.h"

#include "core/messages.h"
#include "core/user_error.h"
#include "workbook/compound_file.h"
#include "workbook/little_endian.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yilou::history {

namespace {

constexpr std::size_t kRowsBelowHeader = kSheetRows - 1;
constexpr std::size_t kLongestText = 255;
constexpr std::size_t kProgressStep = 4096;
/// The cell format of text cells: the first after the 16 style formats.
constexpr std::uint32_t kTextFormat = 15;
/// The cell format of whole numbers (number format "0"); the one of numbers with d decimals
/// ("0.00…", d zeros) is kWholeNumberFormat + d.
constexpr std::uint32_t kWholeNumberFormat = 16;
/// The number format with one decimal; the one with d decimals is kFirstDecimalsFormat + d - 1
/// (the first number format a workbook may define).
constexpr std::uint32_t kFirstDecimalsFormat = 164;
/// The number formats show up to this many decimals; a text with more stays text.
constexpr std::size_t kMostDecimals = 20;
/// The significant digits a double keeps: a text with more stays text.
constexpr std::size_t kMostDigits = 15;

enum Record : std::uint32_t {
    kBof = 0x0809,
    kEof = 0x000A,
    kCodePage = 0x0042,
    kWindow1 = 0x003D,
    kDateMode = 0x0022,
    kFont = 0x0031,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kBoundSheet = 0x0085,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kLabel = 0x0204,
    kNumber = 0x0203,
    kRk = 0x027E,
    kFormat = 0x041E,
    kWindow2 = 0x023E,
};

void appendRecord(std::string& out, Record type, std::string_view data) {
    append16(out, type);
    append16(out, static_cast<std::uint32_t>(data.size()));
    out += data;
}

std::string bof(std::uint32_t substream) {
    std::string data;
    append16(data, 0x0600); // BIFF8
    append16(data, substream);
    append16(data, 0x0DBB); // build and year of the writing application
    append16(data, 0x07CC);
    append32(data, 0);
    append32(data, 6); // the oldest version that reads the file: BIFF8
    return data;
}

/// UTF-8 to UTF-16 code units; a malformed sequence becomes U+FFFD.
void toUtf16(std::string_view text, std::u16string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = (length == 1 || lead >= 0xC2) && lead <= 0xF4 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || code < smallest[length] || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        i += length;
    }
}

/// A grid text that is a plain decimal number, and how many decimals it shows.
struct PlainNumber {
    double value;
    std::size_t decimals;
};

/// "0", an integer without a leading zero, or either with a decimal point and digits after it,
/// when a double holds every digit: such a cell is a number that sums and sorts. Labels such as
/// "03" or "07 08" stay text.
std::optional<PlainNumber> plainNumber(std::string_view text) {
    if (text.empty() || (text.size() > 1 && text[0] == '0' && text[1] != '.'))
        return std::nullopt;
    auto point = std::string_view::npos;
    std::size_t significant = 0; // the digits from the first one that is not 0 on
    std::uint64_t whole = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '.') {
            if (point != std::string_view::npos || i == 0 || i + 1 == text.size())
                return std::nullopt;
            point = i;
        } else if (ch < '0' || ch > '9') {
            return std::nullopt;
        } else {
            significant += significant > 0 || ch != '0';
            if (point == std::string_view::npos)
                whole = whole * 10 + static_cast<std::uint64_t>(ch - '0');
        }
    }
    const std::size_t decimals = point == std::string_view::npos ? 0 : text.size() - point - 1;
    if (significant > kMostDigits || decimals > kMostDecimals)
        return std::nullopt;
    PlainNumber number{static_cast<double>(whole), decimals};
    if (decimals > 0)
        std::from_chars(text.data(), text.data() + text.size(), number.value);
    return number;
}

/// Writes the worksheets and the workbook around them.
class WorkbookWriter {
public:
    WorkbookWriter(const std::filesystem::path& file, const TextGrid& grid,
                   const WriteProgress& progress)
        : file_(file, "Workbook"), grid_(grid), progress_(progress) {}

    bool write() {
        if (grid_.columns > kSheetColumns)
            throw UserError(messages::gridTooWide(grid_.columns, kSheetColumns));
        const std::size_t sheets = sheetCount(grid_.rows);
        const auto sheetOffsets = writeGlobals(sheets);
        if (grid_.rows > 0)
            readRow(0, header_);
        for (std::size_t sheet = 0; sheet < sheets; ++sheet) {
            std::string offset;
            append32(offset, static_cast<std::uint32_t>(file_.size()));
            file_.overwrite(sheetOffsets[sheet], offset);
            if (!writeSheet(sheet))
                return false;
        }
        if (progress_ && !progress_(grid_.rows, grid_.rows))
            return false;
        file_.close();
        return true;
    }

private:
    /// Writes the workbook globals; returns where each sheet's stream position goes.
    std::vector<std::uint64_t> writeGlobals(std::size_t sheets) {
        std::string out;
        appendRecord(out, kBof, bof(0x0005));
        std::string data;
        append16(data, 1200); // strings are UTF-16
        appendRecord(out, kCodePage, data);
        data.clear();
        for (std::uint32_t value : {0x0000u, 0x0000u, 0x3000u, 0x1E00u, 0x0038u, 0u, 0u, 1u, 600u})
            append16(data, value);
        appendRecord(out, kWindow1, data);
        appendRecord(out, kDateMode, std::string(2, '\0'));
        // Four fonts, as readers expect (the fifth has index 5): 宋体 at 11 points.
        data.clear();
        for (std::uint32_t value : {220u, 0u, 0x7FFFu, 400u, 0u})
            append16(data, value);
        data += std::string("\0\0\x86\0", 4); // no underline, any family, GB 2312 character set
        data += std::string("\x02\x01\x8B\x5B\x53\x4F", 6);
        for (int font = 0; font < 4; ++font)
            appendRecord(out, kFont, data);
        // The number formats "0.0" … with up to kMostDecimals decimals.
        for (std::size_t decimals = 1; decimals <= kMostDecimals; ++decimals) {
            const std::string code = "0." + std::string(decimals, '0');
            data.clear();
            append16(data, kFirstDecimalsFormat + static_cast<std::uint32_t>(decimals) - 1);
            append16(data, static_cast<std::uint32_t>(code.size()));
            data += '\0'; // compressed: one byte a character
            data += code;
            appendRecord(out, kFormat, data);
        }
        // Sixteen style formats, the cell format of texts (general, bottom-aligned), then the
        // cell formats of numbers: whole ("0", a built-in format), then by their decimals.
        for (std::uint32_t xf = 0; xf <= kWholeNumberFormat + kMostDecimals; ++xf) {
            const bool number = xf >= kWholeNumberFormat;
            const std::uint32_t decimals = number ? xf - kWholeNumberFormat : 0;
            data.clear();
            append16(data, 0); // font
            append16(data, !number ? 0 : decimals == 0 ? 1 : kFirstDecimalsFormat + decimals - 1);
            append16(data, xf < kTextFormat ? 0xFFF5 : 0x0001);
            // Bottom-aligned; a number's cell format says that its number format is its own.
            append32(data, number ? 0x04000020 : 0x20);
            append32(data, 0);
            append32(data, 0);
            append16(data, 0x20C0); // automatic pattern colours
            appendRecord(out, kXf, data);
        }
        data.clear();
        append32(data, 0xFF008000); // the built-in style "Normal" on style format 0
        appendRecord(out, kStyle, data);
        std::vector<std::uint64_t> offsets;
        for (std::size_t sheet = 0; sheet < sheets; ++sheet) {
            const std::string name = "Sheet" + std::to_string(sheet + 1);
            offsets.push_back(file_.size() + out.size() + 4);
            data.assign(4, '\0');           // the sheet's stream position, set once it is known
            data += std::string("\0\0", 2); // visible worksheet
            data += static_cast<char>(name.size());
            data += '\0';
            data += name;
            appendRecord(out, kBoundSheet, data);
        }
        appendRecord(out, kEof, {});
        file_.write(out);
        return offsets;
    }

    bool writeSheet(std::size_t sheet) {
        const std::size_t first = 1 + sheet * kRowsBelowHeader;
        const std::size_t end = std::min(grid_.rows, first + kRowsBelowHeader);
        const std::size_t below = end > first ? end - first : 0;
        std::string out;
        appendRecord(out, kBof, bof(0x0010));
        // The column widths are known once every row of the sheet is written.
        const std::uint64_t columnWidthsAt = file_.size() + out.size();
        widths_.assign(grid_.columns, 0);
        out += columnWidthRecords();
        std::string data;
        append32(data, 0);
        append32(data, static_cast<std::uint32_t>(grid_.rows > 0 ? below + 1 : 0));
        append16(data, 0);
        append16(data, static_cast<std::uint32_t>(grid_.columns));
        append16(data, 0);
        appendRecord(out, kDimensions, data);
        if (grid_.rows > 0)
            appendRow(out, 0, header_);
        for (std::size_t r = first; r < end; ++r) {
            readRow(r, cells_);
            appendRow(out, r - first + 1, cells_);
            if (out.size() >= 1 << 16) {
                file_.write(out);
                out.clear();
            }
            if (progress_ && r % kProgressStep == 0 && !progress_(r, grid_.rows))
                return false;
        }
        data.clear();
        // Grid lines, headers, zeros, outline symbols; the first sheet is the one shown.
        append16(data, sheet == 0 ? 0x06B6 : 0x00B6);
        append16(data, 0);
        append16(data, 0);
        append32(data, 0x40);
        append32(data, 0);
        append32(data, 0);
        appendRecord(out, kWindow2, data);
        appendRecord(out, kEof, {});
        file_.write(out);
        file_.overwrite(columnWidthsAt, columnWidthRecords());
        return true;
    }

    void readRow(std::size_t row, std::vector<std::string>& cells) {
        cells.resize(grid_.columns);
        grid_.cells(row, cells);
        cells.resize(grid_.columns);
    }

    /// Columns as wide as their widest text on the sheet, so that a ten-digit issue or a ratio
    /// with all its decimals shows whole: a number too wide for its column shows as "###".
    std::string columnWidthRecords() const {
        std::string out;
        for (std::size_t c = 0; c < grid_.columns; ++c) {
            std::string data;
            append16(data, static_cast<std::uint32_t>(c));
            append16(data, static_cast<std::uint32_t>(c));
            append16(data,
                     static_cast<std::uint32_t>(std::clamp<std::size_t>(widths_[c] + 2, 8, 255) *
                                                256)); // in 1/256 of a digit's width
            append16(data, kTextFormat);
            append32(data, 0);
            appendRecord(out, kColInfo, data);
        }
        return out;
    }

    void appendRow(std::string& out, std::size_t row, const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < grid_.columns; ++c) {
            const std::string& text = cells[c];
            if (text.empty())
                continue;
            if (const auto number = plainNumber(text)) {
                appendNumber(out, row, c, *number);
                widths_[c] = std::max(widths_[c], text.size());
                continue;
            }
            const bool ascii = std::all_of(text.begin(), text.end(), [](char ch) {
                return static_cast<unsigned char>(ch) < 0x80;
            });
            std::size_t length = text.size();
            std::size_t width = length;
            bool wide = false;
            if (!ascii) {
                toUtf16(text, utf16_);
                length = utf16_.size();
                // A character outside Latin-1 (CJK) takes two digit widths.
                width = 0;
                for (char16_t unit : utf16_)
                    width += unit < 0x100 ? 1 : 2;
                wide = width > length;
            }
            if (length > kLongestText)
                throw UserError(messages::cellTextTooLong(kLongestText, text));
            widths_[c] = std::max(widths_[c], width);
            append16(out, kLabel);
            append16(out, static_cast<std::uint32_t>(9 + length * (wide ? 2 : 1)));
            append16(out, static_cast<std::uint32_t>(row));
            append16(out, static_cast<std::uint32_t>(c));
            append16(out, kTextFormat);
            append16(out, static_cast<std::uint32_t>(length));
            out += static_cast<char>(wide ? 1 : 0);
            if (ascii)
                out += text;
            else
                for (char16_t unit : utf16_)
                    appendLittleEndian(out, unit, wide ? 2 : 1);
        }
    }

    /// A whole number that fits 30 bits as an RK record, any other as a NUMBER record, with the
    /// cell format that shows its decimals.
    static void appendNumber(std::string& out, std::size_t row, std::size_t column,
                             const PlainNumber& number) {
        const bool rk = number.decimals == 0 && number.value < (1 << 29);
        append16(out, rk ? kRk : kNumber);
        append16(out, rk ? 10 : 14);
        append16(out, static_cast<std::uint32_t>(row));
        append16(out, static_cast<std::uint32_t>(column));
        append16(out, kWholeNumberFormat + static_cast<std::uint32_t>(number.decimals));
        if (rk)
            append32(out, static_cast<std::uint32_t>(number.value) << 2 | 0x2); // an integer
        else
            appendLittleEndian(out, std::bit_cast<std::uint64_t>(number.value), 8);
    }

    CompoundFileWriter file_;
    const TextGrid& grid_;
    const WriteProgress& progress_;
    std::vector<std::string> header_;
    std::vector<std::string> cells_;
    /// The widest text of each column on the sheet being written, in digit widths.
    std::vector<std::size_t> widths_;
    std::u16string utf16_;
};

} // namespace

std::size_t sheetCount(std::size_t rows) {
    return rows <= 1 ? 1 : (rows - 1 + kRowsBelowHeader - 1) / kRowsBelowHeader;
}

bool writeWorkbook(const std::filesystem::path& file, const TextGrid& grid,
                   const WriteProgress& progress) {
    return WorkbookWriter(file, grid, progress).write();
}

} // namespace yilou::history
