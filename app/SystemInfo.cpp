#include "app/SystemInfo.h"

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

std::string ProcessorModel(const std::string &cpuinfo)
{
    std::istringstream in(cpuinfo);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("model name", 0) != 0)
            continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const auto start = line.find_first_not_of(" \t", colon + 1);
        return start == std::string::npos ? std::string() : line.substr(start);
    }
    return {};
}

TSystemInfo ReadSystemInfo()
{
    TSystemInfo info;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        info.TotalMemoryKB = static_cast<long long>(pages) * pageSize / 1024;
    const long cpus = ::sysconf(_SC_NPROCESSORS_ONLN);
    info.Processors = cpus > 0 ? static_cast<int>(cpus) : 1;
    std::ifstream file("/proc/cpuinfo");
    std::ostringstream text;
    text << file.rdbuf();
    info.ProcessorName = ShortProcessorName(ProcessorModel(text.str()));
    if (info.ProcessorName.empty())
        info.ProcessorName = "Unknown processor";
    return info;
}

std::string SystemInfoCaption()
{
    return "Available Memory:\rPlatform, CPU:";
}

std::string ShortProcessorName(const std::string &model)
{
    std::string text = model.substr(0, model.find('@'));
    for (const char *mark : {"(R)", "(r)", "(TM)", "(tm)"})
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
            text.erase(at, std::char_traits<char>::length(mark));
    std::istringstream words(text);
    std::string word, name;
    int kept = 0;
    while (kept < 4 && words >> word) {
        if (word == "CPU" || word == "Processor")
            continue;
        name += (kept++ == 0 ? "" : " ") + word;
    }
    return name;
}

std::string SystemInfoValue(const TSystemInfo &info)
{
    return std::to_string(info.TotalMemoryKB) + " KB\r" + std::to_string(info.Processors) + "x " +
           info.ProcessorName + " or compatible";
}
