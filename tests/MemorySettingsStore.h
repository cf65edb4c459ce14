#pragma once

// A settings store kept in memory, which remembers what was written after the last
// flush (lost, in a store that keeps only what it flushed) and can be told to fail
// when it is flushed.

#include <map>
#include <string>
#include <vector>

#include "base/Failure.h"
#include "storage/Settings.h"

namespace brenta::test {

class MemorySettingsStore : public storage::SettingsStore {
public:
    std::string Read(const std::string& section, const std::string& key, const std::string& defaultText) override
    {
        const auto it = values.find(section + "/" + key);
        return it == values.end() ? defaultText : it->second;
    }
    void Write(const std::string& section, const std::string& key, const std::string& text) override
    {
        values[section + "/" + key] = text;
        ++writes;
        unflushed.push_back(key);
    }
    void Flush() override
    {
        if (failFlush)
            throw Failure("the settings folder is read-only");
        ++flushes;
        unflushed.clear();
    }

    std::map<std::string, std::string> values;
    std::vector<std::string> unflushed;
    int writes = 0;
    bool failFlush = false;
    int flushes = 0;
};

} // namespace brenta::test
