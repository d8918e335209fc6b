#include "Util/AEGP_SuiteHandler.h"

namespace {

struct SuiteName {
  const char* name;
  int32_t version;
};

#define BRELO_SUITE_NAME(Type, accessor, name, version) {name, version},
const SuiteName kSuiteNames[] = {BRELO_SUITES(BRELO_SUITE_NAME)};
#undef BRELO_SUITE_NAME

}  // namespace

AEGP_SuiteHandler::AEGP_SuiteHandler(const SPBasicSuite* pica_basicP) : m_basic(pica_basicP) {}

AEGP_SuiteHandler::~AEGP_SuiteHandler() {
  if (!m_basic) return;
  for (int i = 0; i < kSlotCount; ++i) {
    if (m_suites[i]) m_basic->ReleaseSuite(kSuiteNames[i].name, kSuiteNames[i].version);
  }
}

const void* AEGP_SuiteHandler::acquire(Slot slot) const {
  if (m_suites[slot]) return m_suites[slot];
  SuiteName const& s = kSuiteNames[slot];
  const void* suite = nullptr;
  if (!m_basic || m_basic->AcquireSuite(s.name, s.version, &suite) != kSPNoError || !suite) {
    // A failed acquisition that still handed out a table is given back.
    if (m_basic && suite) m_basic->ReleaseSuite(s.name, s.version);
    throw MissingSuiteError{PF_Err_BAD_CALLBACK_PARAM, s.name, s.version};
  }
  m_suites[slot] = suite;
  return suite;
}
