#include <algorithm>
#include <vector>

#include "charset/unicode_text.h"
#include "html/html_text_options.h"

namespace vellumo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kColumnGap = 2;

std::vector<std::string_view> Cells(std::string_view line) {
    std::vector<std::string_view> cells;
    while (true) {
        const std::size_t tab = line.find('\t');
        cells.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) {
            return cells;
        }
        line.remove_prefix(tab + 1);
    }
}

// Rows of one table: consecutive lines with the same number of cells.
using Rows = std::vector<std::vector<std::string_view>>;

// The rows laid out in columns, or empty when they do not fit the width.
std::string AlignedRows(const Rows& rows, std::size_t width) {
    std::vector<std::size_t> widths(rows[0].size(), 0);
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], Utf8CharacterCount(row[i]));
        }
    }
    std::size_t total = 0;
    for (std::size_t w : widths) {
        total += w + kColumnGap;
    }
    if (total - kColumnGap > width) {
        return std::string();
    }
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line.append(row[i]);
            if (i + 1 < row.size()) {
                line.append(widths[i] - Utf8CharacterCount(row[i]) + kColumnGap, ' ');
            }
        }
        out += line.substr(0, line.find_last_not_of(' ') + 1);
        out += kLineEnd;
    }
    return out;
}

void FlushRows(Rows& rows, std::vector<std::string_view>& lines, std::size_t width,
               std::string& out) {
    const std::string aligned = rows.size() >= 2 ? AlignedRows(rows, width) : std::string();
    if (!aligned.empty()) {
        out += aligned;
    } else {
        for (std::string_view line : lines) {
            out.append(line.data(), line.size());
            out += kLineEnd;
        }
    }
    rows.clear();
    lines.clear();
}

}  // namespace

std::string AlignTableColumns(std::string_view text, int width) {
    const std::size_t columns = width > 0 ? static_cast<std::size_t>(width) : 80;
    std::string out;
    out.reserve(text.size());
    Rows rows;
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = text.find(kLineEnd);
        const std::string_view line = text.substr(0, end);
        std::vector<std::string_view> cells = Cells(line);
        if (!rows.empty() && cells.size() != rows[0].size()) {
            FlushRows(rows, lines, columns, out);
        }
        if (cells.size() >= 2) {
            rows.push_back(std::move(cells));
            lines.push_back(line);
        } else {
            out.append(line.data(), line.size());
            out += kLineEnd;
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + kLineEnd.size());
    }
    FlushRows(rows, lines, columns, out);
    out.resize(out.size() - kLineEnd.size());  // the last line had no line end
    return out;
}

}  // namespace vellumo
