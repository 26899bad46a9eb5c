#include "CFG/InfoParser.h"

namespace CFG {

InfoParser::InfoParser(const Info* info) : info(info) {}

bool InfoParser::getBool(const std::string& key) const
{
    std::string value = info->get(key);
    return value == "YES" || value == "Y" || value == "1";
}

} // namespace CFG
