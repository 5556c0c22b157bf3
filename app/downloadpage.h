#pragma once
// The download page for lesson 7's books, rewritten from built-in text at every start.
#include <string>

#include "app/core/datadir.h"

namespace lx {

// The whole page, HTML 4.01 Transitional in Windows-1251.
std::string DownloadPageHtml();
// Writes data\html\download.html atomically; a failure leaves any old page and is silent.
bool WriteDownloadPage(const DataDir& dataDir);

}  // namespace lx
