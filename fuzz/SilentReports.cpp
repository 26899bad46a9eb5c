#include "SilentReports.h"

#include <ostream>
#include <streambuf>

#include "Util/Debug.h"

namespace
{

class NullBuffer : public std::streambuf
{
  protected:
    int overflow(int c) override { return c; }
};

} // namespace

void silenceReports()
{
    static NullBuffer sink;
    static std::ostream quiet(&sink);
    Util::Singleton<Util::Debug>::instance().err = &quiet;
}
