#include "CFG/Info.h"

#include "CFG/InfoImpl.h"

namespace CFG {

namespace {

constexpr std::string_view ADDED_KEY_TERMINATOR = "END_OF_ADDED_KEY";

void visitTable(const SettingsTable& table,
                const std::function<void(const std::string&, bool)>& visit)
{
    for (const auto& entry : table) {
        visit(entry.second.value, entry.second.choices != nullptr);
        if (entry.second.choices != nullptr) {
            visitTable(*entry.second.choices, visit);
        }
    }
}

} // namespace

Info::Info(Info* overrides) : impl(new Impl(overrides)) {}

Info::Info(const std::string& path, Info* overrides) : impl(new Impl(overrides))
{
    // Emptied of entries only: the record of refused files says why.
    if (!addConfig(path)) {
        Impl::deleteMap(impl->entries);
    }
}

Info::~Info()
{
    delete impl;
}

void Info::reset()
{
    impl->reset();
}

const std::vector<Info::FileProblem>& Info::fileProblems() const
{
    return impl->reader.problems();
}

bool Info::addConfig(const std::string& path)
{
    return impl->addConfig(path);
}

bool Info::add(const std::string& key, const std::string& value)
{
    // Through the line reader, so that an added entry means exactly what the
    // same line in a settings file would.
    std::string line;
    line.reserve(key.size() + value.size() + 4);
    line.append(key).append(" ").append(keyValueSeparator()).append(" ").append(value);
    return impl->addLine(line, ADDED_KEY_TERMINATOR);
}

void Info::setPathKeys(std::vector<std::string> keys)
{
    impl->reader.setPathKeys(std::move(keys));
}

std::string Info::get(const std::string& key) const
{
    return impl->get(key);
}

void Info::keys(std::vector<std::string>& out) const
{
    out.clear();
    out.reserve(impl->entries.size());
    for (const auto& entry : impl->entries) {
        out.push_back(entry.first);
    }
}

void Info::visitValues(const std::function<void(const std::string&, bool)>& visit) const
{
    visitTable(impl->entries, visit);
}

std::string Info::replaceKeys(const std::string& text) const
{
    return impl->replaceKeys(text);
}

const char* Info::keyValueSeparator()
{
    return "==";
}

} // namespace CFG
