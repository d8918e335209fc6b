#include "Util/AEGP_SuiteHandler.h"

#include "Util/AEFX_SuiteHelper.h"

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
  m_suites[slot] = acquireHostSuite(m_basic, s.name, s.version);
  if (!m_suites[slot]) throw MissingSuiteError{PF_Err_BAD_CALLBACK_PARAM, s.name, s.version};
  return m_suites[slot];
}
