// What the PDF tools say of a file the PDF printer wrote: one field of pdfinfo's report
// ("Pages", "Title" …), empty when the tool or the field is missing.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>

inline std::string PdfInfoField(const std::string& pdf, const std::string& name)
{
    std::string report;
    if (FILE* pipe = popen(("pdfinfo '" + pdf + "'").c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            report += buffer;
        pclose(pipe);
    }
    std::istringstream lines(report);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(name + ":", 0) != 0)
            continue;
        const size_t start = line.find_first_not_of(' ', name.size() + 1);
        return start == std::string::npos ? std::string() : line.substr(start);
    }
    return {};
}
