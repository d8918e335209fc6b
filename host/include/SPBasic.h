// Host basic suite: the table through which every other suite is acquired by
// name and version. Declarations of the host interface as the plug-ins use it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t SPErr;
typedef unsigned char SPBoolean;

enum { kSPNoError = 0, kSPSuiteNotFoundError = 1 };

typedef struct SPBasicSuite {
  // Fills *suite with the function table of `name` at `version`; on failure
  // returns non-zero and leaves *suite null.
  SPErr (*AcquireSuite)(const char* name, int32_t version, const void** suite);
  // Gives back one acquisition of `name` at `version`.
  SPErr (*ReleaseSuite)(const char* name, int32_t version);
  SPBoolean (*IsEqual)(const char* token1, const char* token2);
  SPErr (*AllocateBlock)(size_t size, void** block);
  SPErr (*FreeBlock)(void* block);
  SPErr (*ReallocateBlock)(void* block, size_t newSize, void** newblock);
  SPErr (*Undefined)(void);
} SPBasicSuite;

#ifdef __cplusplus
}
#endif
