#include "CFG/InfoImpl.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "CFG/Calculator.h"
#include "CFG/INItoCFG.h"
#include "Files/TextFile.h"
#include "Util/StringHelpers.h"

namespace CFG {

namespace {

constexpr std::string_view FILE_TERMINATOR = "END_OF_CFG_RESOURCES";
constexpr std::string_view INCLUDE_PREFIX = "<INCLUDE";
constexpr std::string_view EVAL_PREFIX = "EVAL:(";
constexpr std::string_view INDIRECTION_PREFIX = ">>";
constexpr std::string_view REFERENCE_MARK = "::";

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool isIniPath(const std::string& path)
{
    if (path.size() < 4) {
        return false;
    }
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return tail == ".INI";
}

} // namespace

// Admits a file only when it is not already being read further up the
// chain (an include or ".MOD" loop) and the chain is not too deep.
class Info::Impl::FileGuard {
public:
    FileGuard(Impl& impl, const std::string& path) : impl(impl)
    {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            return;
        }
        std::pair<dev_t, ino_t> id(info.st_dev, info.st_ino);
        if (impl.reading.size() >= static_cast<std::size_t>(MAX_NESTING) ||
            std::find(impl.reading.begin(), impl.reading.end(), id) != impl.reading.end()) {
            return;
        }
        impl.reading.push_back(id);
        admitted = true;
    }
    ~FileGuard()
    {
        if (admitted) {
            impl.reading.pop_back();
        }
    }
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;

    Impl& impl;
    bool admitted = false;
};

Info::Impl::Impl(Info* overrides) : overrides(overrides) {}

bool Info::Impl::addConfig(const std::string& path)
{
    FileGuard guard(*this, path);
    bool complete = false;
    if (!guard.admitted || !readFileText(path, complete)) {
        return false;
    }
    // The override file is read whatever became of the file's lines; a
    // missing one is the normal case, so its result does not count.
    addConfig(path + ".MOD");
    readPendingIncludes();
    return complete;
}

bool Info::Impl::readFileText(const std::string& path, bool& complete)
{
    // The file's text lives only while its own lines are read, so a chain of
    // includes holds one file's text at a time.
    std::string text;
    if (!Files::TextFile::load(path, text, "\n")) {
        return false;
    }
    std::vector<std::string> converted;
    if (isIniPath(path) && !INItoCFG(text, converted)) {
        return false;
    }
    LineList lines;
    lines.reserve(converted.size() +
                  static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const std::string& line : converted) {
        lines.emplace_back(line);
    }
    splitLines(text, lines);
    LineIter pos = lines.begin();
    complete = populateMap(entries, pos, lines.end(), FILE_TERMINATOR);
    return true;
}

void Info::Impl::readPendingIncludes()
{
    // Moved aside first: the included files record their own includes.
    std::vector<std::string> includes;
    includes.swap(pendingIncludes);
    for (const std::string& key : includes) {
        addConfig(get(key));
    }
}

bool Info::Impl::addLine(const std::string& line, std::string_view terminator)
{
    LineList lines{line};
    LineIter pos = lines.begin();
    return populateMap(entries, pos, lines.end(), terminator);
}

bool Info::Impl::populateMap(Table& table, LineIter& pos, LineIter end, std::string_view terminator,
                             int depth)
{
    for (; pos != end; ++pos) {
        std::string_view line = trimView(*pos);
        if (!line.empty() && line.front() == '#') {
            continue;
        }
        std::string_view key;
        std::string_view value;
        if (readKeyVal(line, key, value, "==")) {
            if (!readEntry(table, key, value, pos, end)) {
                return false;
            }
        } else if (readKeyVal(line, key, value, "??")) {
            // Deeper blocks than any real file needs are refused rather than
            // followed, so that reading and lookups stay within the stack.
            if (depth >= MAX_NESTING) {
                return false;
            }
            Node& node = store(table, key, std::string(value));
            node.choices = std::make_unique<Table>();
            ++pos;
            if (!populateMap(*node.choices, pos, end, value, depth + 1)) {
                return false;
            }
            if (pos == end) {
                return true;
            }
        } else if (line == terminator) {
            return true;
        }
    }
    return true;
}

bool Info::Impl::readEntry(Table& table, std::string_view key, std::string_view value,
                           LineIter& pos, LineIter end)
{
    if (!opensQuotedValue(value)) {
        store(table, key, std::string(stripOuterQuotes(value)));
        return true;
    }
    std::string text(value);
    if (!continueQuotedValue(text, pos, end)) {
        return false;
    }
    store(table, key, std::string(stripOuterQuotes(text)));
    return true;
}

Info::Impl::Node& Info::Impl::store(Table& table, std::string_view key, std::string value)
{
    auto it = table.lower_bound(key);
    if (it != table.end() && it->first == key) {
        it->second.value = std::move(value);
        it->second.choices.reset();
    } else {
        it = table.emplace_hint(it, std::string(key), Node{std::move(value), nullptr});
    }
    noteInclude(key);
    return it->second;
}

void Info::Impl::noteInclude(std::string_view key)
{
    if (startsWith(key, INCLUDE_PREFIX)) {
        pendingIncludes.emplace_back(key);
    }
}

bool Info::Impl::readKeyVal(std::string_view line, std::string_view& key, std::string_view& value,
                            std::string_view separator)
{
    std::string_view::size_type at = line.find(separator);
    if (at == std::string_view::npos) {
        return false;
    }
    key = trimView(line.substr(0, at));
    std::string_view rest = line.substr(at + separator.size());
    if (!rest.empty()) {
        value = trimView(rest);
    }
    return true;
}

void Info::Impl::deleteMap(Table& table)
{
    table.clear();
}

namespace {

// The budget of the outer lookup in progress, shared by every store it
// reaches: a store's override layer is another store, and a budget of its
// own, renewed at each call from the store above, would multiply with every
// layer (10,000 lookups above, each spending 10,000 below).
struct LookupBudget {
    int depth = 0;
    long left = 0;
};

LookupBudget& lookupBudget()
{
    static thread_local LookupBudget budget;
    return budget;
}

} // namespace

// Tracks the keys being expanded by one outer lookup, so that a key that
// leads back to itself, a chain that goes too deep, or an expansion that
// multiplies without end reads as the empty string instead of recursing.
class Info::Impl::LookupGuard {
public:
    LookupGuard(const Impl& impl, const std::string& key) : impl(impl)
    {
        std::vector<const std::string*>& active = impl.activeKeys;
        LookupBudget& budget = lookupBudget();
        if (budget.depth == 0) {
            budget.left = LOOKUP_BUDGET;
        }
        if (active.size() >= static_cast<std::size_t>(MAX_LOOKUP_DEPTH) || budget.left <= 0) {
            return;
        }
        for (const std::string* other : active) {
            if (*other == key) {
                return;
            }
        }
        --budget.left;
        ++budget.depth;
        active.push_back(&key);
        admitted = true;
    }
    ~LookupGuard()
    {
        if (admitted) {
            impl.activeKeys.pop_back();
            --lookupBudget().depth;
        }
    }
    LookupGuard(const LookupGuard&) = delete;
    LookupGuard& operator=(const LookupGuard&) = delete;

    const Impl& impl;
    bool admitted = false;
};

std::string Info::Impl::get(const std::string& key) const
{
    LookupGuard guard(*this, key);
    if (!guard.admitted) {
        return std::string();
    }
    return expand(rawLookup(entries, key));
}

std::string Info::Impl::rawLookup(const Table& table, const std::string& name) const
{
    if (overrides != nullptr) {
        std::string answer = overrides->get(name);
        if (!answer.empty()) {
            return answer;
        }
    }
    auto it = table.find(name);
    if (it == table.end()) {
        return std::string();
    }
    const Node& node = it->second;
    if (!node.choices) {
        return node.value;
    }
    std::string choice = rawLookup(*node.choices, get(node.value));
    if (choice.empty()) {
        static const std::string DEFAULT_CHOICE = "*";
        choice = rawLookup(*node.choices, DEFAULT_CHOICE);
    }
    return choice;
}

std::string Info::Impl::expand(std::string value) const
{
    value = replaceKeys(value);
    if (startsWith(value, EVAL_PREFIX)) {
        return evaluate(std::string_view(value).substr(EVAL_PREFIX.size()));
    }
    if (startsWith(value, INDIRECTION_PREFIX)) {
        return get(value.substr(INDIRECTION_PREFIX.size()));
    }
    return value;
}

std::string Info::Impl::evaluate(std::string_view text) const
{
    int depth = 1;
    std::string_view::size_type close = 0;
    for (; close < text.size(); ++close) {
        depth += text[close] == '(' ? 1 : text[close] == ')' ? -1 : 0;
        if (depth == 0) {
            break;
        }
    }
    std::string_view expression = text.substr(0, close);
    std::string_view remainder = close < text.size() ? text.substr(close + 1) : std::string_view();
    Calculator calculator{std::string(expression)};
    std::string result = Util::numToStr<float>(calculator.parse(), 10, 0);
    result.append(remainder.data(), remainder.size());
    return result;
}

namespace {

bool isReferenceName(std::string_view name)
{
    return !name.empty() && name.find_first_of(" \t\n\r") == std::string_view::npos;
}

} // namespace

std::string Info::Impl::replaceKeys(const std::string& text) const
{
    std::string::size_type open = text.find(REFERENCE_MARK);
    if (open == std::string::npos) {
        return text;
    }
    std::string out(text, 0, open);
    // open is always the position of a "::" that starts a name piece.
    while (true) {
        std::string::size_type nameStart = open + REFERENCE_MARK.size();
        std::string::size_type close = text.find(REFERENCE_MARK, nameStart);
        if (close == std::string::npos) {
            out.append(text, open, std::string::npos);
            return out;
        }
        std::string name(text, nameStart, close - nameStart);
        if (isReferenceName(name)) {
            std::string value = get(name);
            if (out.size() + value.size() <= MAX_EXPANDED_SIZE) {
                out += value;
            }
        } else {
            out.append(text, open, close + REFERENCE_MARK.size() - open);
        }
        std::string::size_type textStart = close + REFERENCE_MARK.size();
        open = text.find(REFERENCE_MARK, textStart);
        out.append(text, textStart,
                   open == std::string::npos ? std::string::npos : open - textStart);
        if (open == std::string::npos) {
            return out;
        }
    }
}

} // namespace CFG
