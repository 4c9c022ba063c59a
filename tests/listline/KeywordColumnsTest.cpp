// SPDX-License-Identifier: GPL-3.0-or-later
#include "listline/KeywordColumns.h"
#include "listline/TextSearch.h"

#include "support/GeneratedLists.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace borvelin {
namespace {

using layout::Keyword;
using layout::Keywords;

// The plain search: every column from `fromColumn` on, compared in full.
std::size_t firstColumnByPlainSearch(std::string_view line, std::string_view keyword, std::size_t fromColumn)
{
    for (std::size_t column = fromColumn; column <= line.size(); ++column) {
        if (standsAt(line, keyword, column))
            return column;
    }
    return 0;
}

void expectSameAsPlainSearch(const std::string& line, std::size_t fromColumn)
{
    KeywordColumns columns;
    columns.scan(line, fromColumn);
    for (std::size_t index = 0; index < Keywords.size(); ++index) {
        EXPECT_EQ(columns.column(static_cast<Keyword>(index)),
                  firstColumnByPlainSearch(line, Keywords[index].text, fromColumn))
            << "keyword '" << Keywords[index].text << "' in '" << line << "' from column " << fromColumn;
    }
}

TEST(KeywordColumns, FindsWhatThePlainSearchFinds)
{
    for (const std::string& line : std::vector<std::string>{
             "",
             "Q1ABC",
             "Q1ABC        QSL via Q2MGR",
             "Q1ABC        qsl VIA home CALL      ",
             "Q1ABC        QSL via Q2MGR (for Q3DEF) New Manager",
             "Q1ABC        QSL via Q2MGR (for ",      // the keyword's own blank ends the line
             "Q1ABC        QSL via Q2MGR (for      ", // the blank is the first of the padding
             "Q1ABC        QSL via Q2MGR (for",       // no blank: no keyword
             "Q1ABC        EX-BURO ex-Q2XYZ) Ex-",
             "Q1ABC        NOT LONGER Q2MGR NOT MORE NOT via",
             "Q1ABC        pirate see also Q4AB himself via Q5CD only direct",
             "QSL via Q2MGR at column 1, before the search begins",
             "Q1ABC        QQSL via  NNOT via  EEx-  ((for  sseee also",
         }) {
        expectSameAsPlainSearch(line, layout::RouteColumn);
        expectSameAsPlainSearch(line, 1);
    }
}

TEST(KeywordColumns, FindsWhatThePlainSearchFindsOnRandomLines)
{
    std::mt19937 random(20261207);
    for (const std::string& line : test::keywordPieceLines(20000, 20261207)) {
        expectSameAsPlainSearch(line, 1 + random() % 16);
        if (HasFailure())
            return;
    }
}

} // namespace
} // namespace borvelin
