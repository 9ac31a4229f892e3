#pragma once

#include <functional>
#include <string>

namespace vtr::shell {

// Tells the terminal about a defect in the program's own resources (a missing
// picture, a layout key that is missing or not a number): once per `what` for
// the whole run, so a defect met at every language switch gives one line.
void ReportOnce(const std::string& what, const std::string& message);

// Where reports go from now on; null sends them to stderr again. For tests.
void SetReportSink(std::function<void(const std::string&)> sink);

}  // namespace vtr::shell
