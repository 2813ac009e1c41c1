// SPDX-License-Identifier: MIT
#include "search/search_handover.h"

namespace qv::search {

thread_local host::ObjectRef SearchRecordset;
thread_local std::string SearchFieldName;

}  // namespace qv::search
