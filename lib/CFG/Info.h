#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace CFG {

class SettingsLookup;

// A store of settings: text values under text keys, read from settings
// files and single added entries. A lookup asks the store's override layer
// first (any other Info, not owned, may be null); a non-empty answer there
// wins. Values are kept as written and expanded on every get: key references
// between "::", "EVAL:(" expressions and ">>" indirections. Owns its tables
// through its private implementation.
class Info {
public:
    explicit Info(Info* overrides = nullptr);
    // Reads path into the new store; when that read fails the store is left
    // without entries (fileProblems still tells of a refused file).
    Info(const std::string& path, Info* overrides);
    virtual ~Info();

    Info(const Info&) = delete;
    Info& operator=(const Info&) = delete;

    // A settings file the store refused: it exists but cannot be read (a
    // directory, no permission), or it is over a size limit. Nothing of it
    // was read.
    struct FileProblem {
        enum Kind { UNREADABLE, FILE_TOO_LARGE, TOTAL_TOO_LARGE };
        std::string path;
        Kind kind;
        // The limit it passed, in bytes (0 for an unreadable file): one file
        // may hold 16 MiB, and the files one store reads until its next reset
        // 64 MiB in all.
        std::uintmax_t limit;
    };

    // Removes every entry and the record of refused files; the override
    // layer stays.
    virtual void reset();

    // The files refused since the store was made or last reset, in reading
    // order (the first 100).
    const std::vector<FileProblem>& fileProblems() const;

    // Reads the settings file at path, then path + ".MOD", then the files
    // named by its include keys. False when the file cannot be read, is
    // refused (see FileProblem) or is malformed (a quoted value left open,
    // selection blocks nested too deeply); what was read before the fault
    // stays. A file that is already being read further up the include chain
    // is not read again (false).
    virtual bool addConfig(const std::string& path);

    // Stores one entry as the settings line "key == value" would.
    virtual bool add(const std::string& key, const std::string& value);

    // Keys whose values are paths. A plain value of one of them read from a
    // settings file (the choices of its selection block too) is stored as it
    // points from that file's folder, symbolic links followed: a relative
    // path gets the folder in front, "~/" the home folder
    // (Files::UserPath). Entries added one by one, and values with anything
    // to expand, are stored as written. Kept across reset.
    void setPathKeys(std::vector<std::string> keys);

    // The key's expanded value; the empty string for an absent key. A lookup
    // that leads back to itself reads as the empty string. Throws
    // std::domain_error for an "EVAL:(" operand that is no number, and
    // CFG::ReportedError (after its report) for an operator it refuses.
    // One get makes at most 10,000 lookups, reads at most 1 MiB of stored
    // values to expand (a plain value of the key itself is returned whole)
    // and evaluates at most 16 KiB of expressions; a lookup, value or
    // expression past that reads as the empty string.
    virtual std::string get(const std::string& key) const;

    // Replaces out with the top-level keys in ascending byte order.
    virtual void keys(std::vector<std::string>& out) const;

    // Calls visit with every value as stored, unexpanded, the choices of
    // selection blocks too (after their block); a block's own value names
    // its selector key, and selector is then true.
    void
    visitValues(const std::function<void(const std::string& value, bool selector)>& visit) const;

    // text with its "::KEY::" references replaced, nothing else expanded.
    virtual std::string replaceKeys(const std::string& text) const;

    static const char* keyValueSeparator();

    class Impl;

private:
    // A store's lookup looks straight into an override layer that is a plain
    // store, which answers exactly as its get would.
    friend class SettingsLookup;

    Impl* impl;
};

} // namespace CFG
