#pragma once

#include <string>

// What the about box tells of the machine.
struct TSystemInfo {
    long long TotalMemoryKB = 0;
    int Processors = 0;
    std::string ProcessorName;
};

// Reads the machine's total memory, processor count and processor model.
TSystemInfo ReadSystemInfo();

// The processor model from the text of /proc/cpuinfo ("model name"), or an
// empty string.
std::string ProcessorModel(const std::string &cpuinfo);

// A model name short enough for the about box: without trademark marks,
// without the clock rate and the words "CPU" and "Processor", at most four
// words ("Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz" is "Intel Core i7-8550U").
std::string ShortProcessorName(const std::string &model);

// The caption pair and the value pair, one CR between the two lines: the
// memory in KB, then the processor count and name ("2x AMD EPYC or
// compatible").
std::string SystemInfoCaption();
std::string SystemInfoValue(const TSystemInfo &info);
