#include "platform/HookRecords.h"

namespace platform {

namespace {

struct ModeNames {
    CaptureMode mode;
    const char* key;
    const char* mouse;
};

constexpr ModeNames kModeNames[] = {
    {CaptureMode::SingleKey, "WM_HOOK_KEY_SINGLEKEY_MSG", nullptr},
    {CaptureMode::HitKey, "WM_HOOK_KEY_HITKEY_MSG", nullptr},
    {CaptureMode::Append, "WM_HOOK_KEY_KBMACRO_MSG", "WM_HOOK_KEY_MSMACRO_MSG"},
    {CaptureMode::InsertBefore, "WM_HOOK_KEY_KBMACROPREVIOUS_MSG", "WM_HOOK_KEY_MSMACROPREVIOUS_MSG"},
    {CaptureMode::InsertAfter, "WM_HOOK_KEY_KBMACROLATER_MSG", "WM_HOOK_KEY_MSMACROLATER_MSG"},
    {CaptureMode::ReplaceKey, "WM_HOOK_KEY_KBMACROSINGLE_MSG", "WM_HOOK_KEY_MSMACROSINGLE_MSG"},
    {CaptureMode::MouseSingleKey, "WM_HOOK_MOU_SINGLEKEY_MSG", nullptr},
    {CaptureMode::MouseHitKey, "WM_HOOK_MOU_HITKEY_MSG", nullptr},
    {CaptureMode::MouseKbMacro, "WM_HOOK_MOU_KBMACRO_MSG", nullptr},
};

const ModeNames* NamesOf(CaptureMode mode)
{
    for (const ModeNames& names : kModeNames) {
        if (names.mode == mode)
            return &names;
    }
    return nullptr;
}

} // namespace

const char* KeyMessageName(CaptureMode mode)
{
    const ModeNames* names = NamesOf(mode);
    return names ? names->key : nullptr;
}

const char* MouseMessageName(CaptureMode mode)
{
    const ModeNames* names = NamesOf(mode);
    return names ? names->mouse : nullptr;
}

} // namespace platform
