#include "db/SelectParser.h"

#include <QSet>

namespace db {

namespace {

struct Token {
    enum Kind { Word, Punct, Literal } kind;
    QString text; // words keep their spelling; brackets and double quotes are removed
    int offset;
    int end;
};

std::vector<Token> tokenize(const QString& sql) {
    std::vector<Token> tokens;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('\'')) {
            int j = i + 1;
            while (j < n) {
                if (sql[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && sql[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            tokens.push_back({Token::Literal, sql.mid(i, j + 1 - i), i, j + 1});
            i = j + 1;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = sql.indexOf(close, i + 1);
            if (j < 0)
                j = n - 1;
            tokens.push_back({Token::Word, sql.mid(i + 1, j - i - 1), i, j + 1});
            i = j + 1;
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            int j = i;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == QLatin1Char('_') || sql[j] == QLatin1Char('$')))
                ++j;
            tokens.push_back({Token::Word, sql.mid(i, j - i), i, j});
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql[i + 1] == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
        } else {
            tokens.push_back({Token::Punct, QString(c), i, i + 1});
            ++i;
        }
    }
    return tokens;
}

bool is(const Token& t, const char* word) {
    return t.kind != Token::Literal && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isKeyword(const Token& t) {
    static const QSet<QString> keywords = {"select", "from",   "where",     "inner",  "left",  "right",    "outer",
                                           "cross",  "join",   "on",        "using",  "group", "order",    "having",
                                           "limit",  "union",  "natural",   "as",     "and",   "or",       "not",
                                           "by",     "except", "intersect", "window", "full",  "distinct", "all"};
    return t.kind == Token::Word && keywords.contains(t.text.toLower());
}

} // namespace

SelectShape parseSelect(const QString& sql) {
    SelectShape shape;
    const std::vector<Token> tokens = tokenize(sql);
    if (tokens.empty() || !is(tokens[0], "select"))
        return shape;
    if (tokens.size() > 1 && (is(tokens[1], "distinct") || is(tokens[1], "all")))
        return shape;

    // Find the top-level FROM and the end of the FROM clause.
    size_t from = 0;
    int depth = 0;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].text == QLatin1String("("))
            ++depth;
        else if (tokens[i].text == QLatin1String(")"))
            --depth;
        else if (depth == 0 && is(tokens[i], "from")) {
            from = i;
            break;
        }
    }
    if (from == 0)
        return shape;

    // Select list: split at top-level commas.
    std::vector<std::pair<size_t, size_t>> ranges;
    size_t start = 1;
    depth = 0;
    for (size_t i = 1; i <= from; ++i) {
        if (i == from || (depth == 0 && tokens[i].text == QLatin1String(","))) {
            ranges.emplace_back(start, i);
            start = i + 1;
        } else if (tokens[i].text == QLatin1String("(")) {
            ++depth;
        } else if (tokens[i].text == QLatin1String(")")) {
            --depth;
        }
    }
    for (auto [b, e] : ranges) {
        SelectShape::Item item;
        const size_t len = e - b;
        auto word = [&](size_t k) { return tokens[k].kind == Token::Word && !isKeyword(tokens[k]); };
        // Everything past the column itself may only be a rename: [AS] name.
        auto renameOnly = [&](size_t k) {
            if (k == e)
                return true;
            if (is(tokens[k], "as"))
                ++k;
            return k + 1 == e && word(k);
        };
        if (len == 1 && tokens[b].text == QLatin1String("*")) {
            item.star = true;
        } else if (len == 3 && word(b) && tokens[b + 1].text == QLatin1String(".") &&
                   tokens[b + 2].text == QLatin1String("*")) {
            item.star = true;
            item.qualifier = tokens[b].text;
        } else if (len >= 3 && word(b) && tokens[b + 1].text == QLatin1String(".") && word(b + 2) &&
                   renameOnly(b + 3)) {
            item.plainColumn = true;
            item.qualifier = tokens[b].text;
        } else if (len >= 1 && word(b) && renameOnly(b + 1)) {
            item.plainColumn = true;
        }
        shape.items.push_back(item);
    }

    // FROM clause: a table reference is a word that follows FROM, a comma, JOIN or an opening
    // parenthesis and is not itself qualified; an alias may follow it.
    depth = 0;
    for (size_t i = from + 1; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.text == QLatin1String("(")) {
            ++depth;
            if (i + 1 < tokens.size() && is(tokens[i + 1], "select"))
                return shape; // subqueries are beyond what a dynaset edits
            continue;
        }
        if (t.text == QLatin1String(")")) {
            --depth;
            continue;
        }
        if (depth <= 0 && (is(t, "where") || is(t, "order") || is(t, "group") || is(t, "having") || is(t, "limit") ||
                           is(t, "union") || t.text == QLatin1String(";")))
            break;
        const Token& prev = tokens[i - 1];
        const bool afterOpener =
            i - 1 == from || prev.text == QLatin1String(",") || is(prev, "join") || prev.text == QLatin1String("(");
        const bool qualified = i + 1 < tokens.size() && tokens[i + 1].text == QLatin1String(".");
        if (!afterOpener || t.kind != Token::Word || isKeyword(t) || qualified)
            continue;
        SelectShape::Source source{t.text, t.text};
        size_t k = i + 1;
        if (k < tokens.size() && is(tokens[k], "as"))
            ++k;
        if (k < tokens.size() && tokens[k].kind == Token::Word && !isKeyword(tokens[k])) {
            source.alias = tokens[k].text;
            i = k;
        }
        shape.sources.push_back(source);
    }
    if (shape.sources.empty())
        return shape;
    if (tokens.size() > 1 && (is(tokens[1], "distinct")))
        return shape;
    for (const Token& t : tokens) {
        if (is(t, "group") || is(t, "union") || is(t, "having") || is(t, "intersect") || is(t, "except"))
            return shape;
        shape.ordered = shape.ordered || is(t, "order");
    }

    shape.selectListStart = tokens[1].offset;
    shape.fromStart = tokens[from].offset;
    shape.understood = true;
    return shape;
}

} // namespace db
