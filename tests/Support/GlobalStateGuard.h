#pragma once

#include <ostream>
#include <sstream>
#include <string>

namespace TestSupport {

// Keeps a test from leaving its mark on the process-wide state that all
// tests of a binary share. While it lives, the debug streams (Util::Debug's
// out and err) write into strings; when it goes, the streams it found are
// back. The overrides store and the global settings store are emptied on
// entry and again on exit: their entries cannot be copied out and put back
// (values are kept as written and only handed out expanded), and empty is
// the state every test starts from, with no key read as a path.
class GlobalStateGuard {
public:
    GlobalStateGuard();
    ~GlobalStateGuard();
    GlobalStateGuard(const GlobalStateGuard&) = delete;
    GlobalStateGuard& operator=(const GlobalStateGuard&) = delete;

    // What went to the debug streams so far.
    std::string printed() const { return out.str(); }
    std::string errors() const { return err.str(); }
    // Points the debug streams back at those found (false), for a death
    // test that reads the real error stream, or at the strings again (true).
    void capture(bool on);
    // Forgets what was captured so far.
    void forget()
    {
        out.str(std::string());
        err.str(std::string());
    }

private:
    std::ostringstream out;
    std::ostringstream err;
    std::ostream* savedOut;
    std::ostream* savedErr;
};

} // namespace TestSupport
