// The empty cells that fill up a table's short rows: marked as fillers, and at most
// kMaxFilledCells per table, past which the table reads the rest of its container as blocks (the
// event stream pulldown-cmark 0.12.2 gives there).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markdown/block_parser.hpp"
#include "markdown/event_text.hpp"
#include "markdown/parser.hpp"
#include "repeat.hpp"

namespace markdown {
namespace {

using vyn::test_input::repeat;

// A header and delimiter row of `columns` columns, each line after `prefix`.
std::string header(std::size_t columns, const std::string& prefix = "") {
  return prefix + repeat("|x", columns) + "\n" + prefix + repeat("|-", columns) + "\n";
}

// A body row: its range, and its written and filler cells.
struct Row {
  std::size_t start, end, written, fillers;
  bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << r.start << ".." << r.end << " " << r.written << "+" << r.fillers;
}

struct Table {
  std::vector<Row> rows;
  std::vector<std::string> after;  // the events inside the table after its last row
  std::size_t end = 0;
};

// The first table of `text`.
Table read_table(const std::string& text) {
  Table table;
  Parser parser(text, Options::all);
  int depth = 0;  // inside the table
  for (const Event& e : parser) {
    if (e.tag == TagKind::Table && e.kind == EventKind::Start) ++depth;
    if (depth == 0) continue;
    if (e.tag == TagKind::Table && e.kind == EventKind::End && --depth == 0) {
      table.end = e.end;
      break;
    }
    if (e.kind == EventKind::Start && e.tag == TagKind::TableRow) {
      table.rows.push_back({e.start, e.end, 0, 0});
      table.after.clear();
    } else if (e.kind == EventKind::Start && e.tag == TagKind::TableCell && !table.rows.empty()) {
      (e.filler ? table.rows.back().fillers : table.rows.back().written) += 1;
      if (e.filler) {
        EXPECT_EQ(e.start, e.end);
      }
    } else if (e.kind != EventKind::Text && e.tag != TagKind::TableCell && !table.rows.empty()) {
      table.after.push_back(event_text(e));
    }
  }
  return table;
}

TEST(TableFill, ShortRowsAreFilledWithMarkedCells) {
  Table table = read_table("|a|b|c|\n|-|-|-|\n|1|\n|1||\n|1|2|3|4|\n");
  EXPECT_EQ(table.rows, (std::vector<Row>{{16, 20, 1, 2}, {20, 25, 2, 1}, {25, 35, 3, 0}}));
}

// 1025 columns: a row of one cell lacks 1024, and 256 such rows spend a table's fill exactly.
TEST(TableFill, PastItsFillATableReadsTheRestOfItsContainerAsBlocks) {
  static_assert(kMaxFilledCells == 256 * 1024);
  const std::string head = header(1025);
  const std::size_t body = head.size();
  Table full = read_table(head + repeat("|x\n", 256) + repeat("|y", 1025) + "\n");
  ASSERT_EQ(full.rows.size(), 257u);
  EXPECT_EQ(full.rows[255], (Row{body + 255 * 3, body + 256 * 3, 1, 1024}));
  EXPECT_EQ(full.rows[256].written, 1025u);  // a full row needs no fill

  // The row that finds the fill spent ends where its line begins; the table stays open to the end
  // of its container and holds the blocks read again from that line on.
  std::string text = head + repeat("|x\n", 256) + "|a|b\n|x\n\n# h\n";
  Table table = read_table(text);
  ASSERT_EQ(table.rows.size(), 257u);
  const std::size_t line = body + 256 * 3;
  EXPECT_EQ(table.rows.back(), (Row{line, line, 2, 0}));
  EXPECT_EQ(table.after, (std::vector<std::string>{"End(TableRow)", "Start(Paragraph)", "SoftBreak", "End(Paragraph)",
                                                   "Start(Heading(H1))", "End(Heading(H1))"}));
  EXPECT_EQ(table.end, text.size());

  // In a block quote the row ends at the start of its line, before the quote's marker, and the
  // table ends with the quote.
  std::string quoted = header(1025, "> ") + repeat("> |x\n", 257) + "> z\n\nafter\n";
  Table in_quote = read_table(quoted);
  ASSERT_EQ(in_quote.rows.size(), 257u);
  const std::size_t quoted_line = quoted.size() - std::string("> |x\n> z\n\nafter\n").size();
  EXPECT_EQ(in_quote.rows.back(), (Row{quoted_line + 2, quoted_line, 1, 0}));
  EXPECT_EQ(in_quote.end, quoted.size() - 7);
}

}  // namespace
}  // namespace markdown
