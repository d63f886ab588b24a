// ksCVWEntryPoint: checks the block and the instance, then dispatches.
#include "entry/EntryPoints.h"

#include "base/MemoryAccess.h"

#include <cstring>

using namespace ostrivan;

namespace {

// The size of the block each command reads and writes.
size_t BlockSize(uint32_t command) {
    switch (command) {
    case kQueryVersion: return kQueryVersionBlockSize;
    case kQueryInfo: return kQueryInfoBlockSize;
    case kCreateInstance: return kCreateInstanceBlockSize;
    case kReservedCommand1405:
    case kReservedCommand1406: return kReservedCommandBlockSize;
    case kReservedCommand1407: return kReservedCommand1407BlockSize;
    case kOpenIntegratedConsole: return kMinimumOpenBlockSize;
    default: return kPlainBlockSize;
    }
}

HostInstance* CheckedInstance(void* instance) {
    if (!IsReadableBlock(instance, sizeof(HostInstance))) return nullptr;
    auto* host = static_cast<HostInstance*>(instance);
    return host->magic == kHostInstanceMagic ? host : nullptr;
}

uint32_t* Words(uint8_t* block) { return reinterpret_cast<uint32_t*>(block); }

uint32_t Dispatch(void* instance, uint32_t command, uint8_t* block) {
    HostInstance* host = nullptr;
    if (command > kCreateInstance) {
        host = CheckedInstance(instance);
        if (!host) return kStatusBadArgument;
    }
    // The whole block must take the command's writes before anything happens.
    size_t size = BlockSize(command);
    if (!IsReadableBlock(block, size) || !IsWritableBlock(block, size)) return kStatusBadArgument;

    switch (command) {
    case kQueryVersion:
        std::memcpy(block + offsetof(QueryVersionBlock, version), &kHostInterfaceVersion, sizeof(uint32_t));
        return kStatusOk;
    case kQueryInfo:
        std::memset(block, 0, size);
        Words(block)[1] = kQueryInfoWord1;
        Words(block)[2] = kQueryInfoWord2;
        return kStatusOk;
    case kCreateInstance: return CreateInstance(block);
    case kDestroyInstance: return DestroyInstance(host);
    case kLaunchStandaloneConsole: return LaunchStandaloneConsole(host);
    case kOpenIntegratedConsole: return OpenIntegratedConsole(host, block);
    default: return kStatusUnsupported;
    }
}

}  // namespace

extern "C" uint32_t __stdcall ksCVWEntryPoint(void* instance, uint32_t command, void* block) {
    if (!block) return kStatusBadArgument;
    auto* bytes = static_cast<uint8_t*>(block);
    uint32_t status = Dispatch(instance, command, bytes);
    if (IsWritableBlock(bytes, sizeof(uint32_t))) Words(bytes)[0] = status;
    return status;
}
