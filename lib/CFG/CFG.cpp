#include "CFG/CFG.h"

namespace CFG {

Info* global()
{
    // Made after the overrides store (it asks for it here), so it is also
    // destroyed before it.
    static Info store(getDefaultOverrides());
    return &store;
}

bool setConfig(const std::string& path)
{
    global()->reset();
    return global()->addConfig(path);
}

bool addConfig(const std::string& path)
{
    return global()->addConfig(path);
}

std::string get(const std::string& key)
{
    return global()->get(key);
}

InfoParser* parser()
{
    static InfoParser reader(global());
    return &reader;
}

} // namespace CFG
