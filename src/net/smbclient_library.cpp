#include "net/smbclient_library.h"

#include <dlfcn.h>

namespace quillory::smb {

namespace {

template <typename Function>
bool bind(void* library, const char* name, Function& to) {
    to = reinterpret_cast<Function>(::dlsym(library, name));
    return to != nullptr;
}

const SmbClientLibrary* load() {
    // Never closed: contexts made from it may live as long as the process.
    void* library = ::dlopen("libsmbclient.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static SmbClientLibrary functions;
#define QUILLORY_BIND(name) bind(library, "smbc_" #name, functions.name)
    const bool bound = QUILLORY_BIND(new_context) && QUILLORY_BIND(init_context) && QUILLORY_BIND(free_context) &&
                       QUILLORY_BIND(setDebug) && QUILLORY_BIND(setOptionDebugToStderr) && QUILLORY_BIND(setTimeout) &&
                       QUILLORY_BIND(setPort) && QUILLORY_BIND(setOptionUserData) &&
                       QUILLORY_BIND(getOptionUserData) && QUILLORY_BIND(setFunctionAuthDataWithContext) &&
                       QUILLORY_BIND(setOptionUseKerberos) && QUILLORY_BIND(setOptionFallbackAfterKerberos) &&
                       QUILLORY_BIND(setOptionNoAutoAnonymousLogin) && QUILLORY_BIND(getFunctionOpendir) &&
                       QUILLORY_BIND(getFunctionClosedir) && QUILLORY_BIND(getFunctionReaddirPlus) &&
                       QUILLORY_BIND(getFunctionReaddirPlus2);
#undef QUILLORY_BIND
    bind(library, "smb2cli_query_directory_recv", functions.queryDirectoryRecv);
    return bound ? &functions : nullptr;
}

}  // namespace

const SmbClientLibrary* smbClientLibrary() {
    static const SmbClientLibrary* const library = load();
    return library;
}

}  // namespace quillory::smb
