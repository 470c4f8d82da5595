#pragma once
// libsmbclient, loaded the first time a share is read instead of linked: a
// local listing then never maps it and the hundred-odd libraries it brings
// (about 10 MB of a run's memory, and their start-up).
#include <libsmbclient.h>

#include <cstdint>

namespace quillory::smb {

// The library's functions this program calls, named as in the library
// without the smbc_ prefix.
struct SmbClientLibrary {
    decltype(&smbc_new_context) new_context;
    decltype(&smbc_init_context) init_context;
    decltype(&smbc_free_context) free_context;
    decltype(&smbc_setDebug) setDebug;
    decltype(&smbc_setOptionDebugToStderr) setOptionDebugToStderr;
    decltype(&smbc_setTimeout) setTimeout;
    decltype(&smbc_setPort) setPort;
    decltype(&smbc_setOptionUserData) setOptionUserData;
    decltype(&smbc_getOptionUserData) getOptionUserData;
    decltype(&smbc_setFunctionAuthDataWithContext) setFunctionAuthDataWithContext;
    decltype(&smbc_setOptionUseKerberos) setOptionUseKerberos;
    decltype(&smbc_setOptionFallbackAfterKerberos) setOptionFallbackAfterKerberos;
    decltype(&smbc_setOptionNoAutoAnonymousLogin) setOptionNoAutoAnonymousLogin;
    decltype(&smbc_getFunctionOpendir) getFunctionOpendir;
    decltype(&smbc_getFunctionClosedir) getFunctionClosedir;
    decltype(&smbc_getFunctionReaddirPlus) getFunctionReaddirPlus;
    decltype(&smbc_getFunctionReaddirPlus2) getFunctionReaddirPlus2;
    // Internal to the library, and null when it has no such function: what
    // each directory query's answer passes through (see directory_query_watch.h).
    std::uint32_t (*queryDirectoryRecv)(void* request, void* memory, std::uint8_t** data, std::uint32_t* length);
};

// The library, loaded on the first call and kept for the run; null when it
// cannot be loaded.
const SmbClientLibrary* smbClientLibrary();

}  // namespace quillory::smb
