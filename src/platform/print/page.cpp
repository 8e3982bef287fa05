#include "platform/print/page.h"

namespace platform {

Page::~Page() = default;
PrintJob::~PrintJob() = default;

} // namespace platform
