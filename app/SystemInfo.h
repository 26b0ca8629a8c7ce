#pragma once

#include <string>

// What the about box tells of the machine.
struct SystemInfo {
    long long totalMemoryKB = 0;
    int processors = 0;
    std::string processorName;
};

// Reads the machine's total memory, processor count and processor model.
SystemInfo ReadSystemInfo();

// The processor model from the text of /proc/cpuinfo ("model name"), or an
// empty string.
std::string ProcessorModel(const std::string &cpuinfo);

// The caption pair and the value pair, one CR between the two lines.
std::string SystemInfoCaption();
std::string SystemInfoValue(const SystemInfo &info);
