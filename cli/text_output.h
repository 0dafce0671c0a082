// Text helpers for vxctl's output: columns that line up with Japanese text in
// them, and JSON strings.
#pragma once

#include <string>
#include <vector>

namespace vx::cli {

// Terminal columns a UTF-8 text takes: East Asian wide and full-width characters take two.
std::size_t DisplayWidth(const std::string& utf8);

// Rows of cells as lines, each column as wide as its widest cell, two blanks between
// columns, no blanks at the end of a line.
std::string Columns(const std::vector<std::vector<std::string>>& rows, const std::string& indent);
// The same with the column widths given, so that several tables line up.
std::vector<std::size_t> ColumnWidths(const std::vector<std::vector<std::string>>& rows);
std::string Columns(const std::vector<std::vector<std::string>>& rows, const std::string& indent,
                    const std::vector<std::size_t>& widths);

// A JSON string literal.
std::string Json(const std::string& utf8);

// "%1", "%2", ... replaced by the arguments.
std::string Format(const std::string& text, const std::vector<std::string>& args);

// A text with its ASCII capitals made small, the other bytes as they are.
std::string AsciiLower(std::string text);
// Whether two texts are the same but for the case of ASCII letters.
bool SameIgnoringAsciiCase(const std::string& a, const std::string& b);

// Items joined with a separator.
std::string Join(const std::vector<std::string>& items, const std::string& separator);

}  // namespace vx::cli
