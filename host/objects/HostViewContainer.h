// The substitute host's view container: a container type (1, a native
// view, unless its creator says otherwise), the native view pointer its
// creator supplies, modifier keys, the size the editor asks for, and mouse
// handlers that decline every event (so the editor's controls handle it)
// unless told to take them. Every mouse event is recorded.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "AAX_IACFViewContainer.h"
#include "ACFPtr.h"
#include "HostObject.h"

class HostViewContainer : public HostObject<AAX_IACFViewContainer> {
public:
    // What a mouse handler answers when it declines an event.
    static constexpr AAX_Result kDeclined = AAX_ERROR_UNIMPLEMENTED;

    struct MouseEvent {
        enum class Kind { Down, Drag, Up };
        Kind kind;
        std::string parameterID;
        uint32_t modifiers = 0;
        AAX_Result result = kDeclined;
    };

    // User-interface thread.
    static ACFPtr<HostViewContainer> Create(void* nativeView,
                                            uint32_t type = AAX_eViewContainer_Type_NSView,
                                            HostInterfaceLevel level = HostInterfaceLevel::Version2);

    // ---- AAX_IACFViewContainer, user-interface thread ----
    uint32_t GetType() override;
    void* GetPtr() override;
    AAX_Result GetModifiers(uint32_t* outModifiers) override;
    AAX_Result SetViewSize(AAX_Point& inSize) override;
    AAX_Result HandleParameterMouseDown(AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag(AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp(AAX_CParamID parameterID, uint32_t modifiers) override;

    // ---- for the host and tests ----
    // true: the mouse handlers take events (answer 0); false (the default): they decline.
    void SetTakesMouseEvents(bool takes);
    void SetModifiers(uint32_t modifiers);
    // The size last asked for with SetViewSize; false if never asked.
    bool RequestedSize(AAX_Point* outSize) const;
    std::vector<MouseEvent> MouseEvents() const;

protected:
    ACFRESULT FindInterface(const acfIID& iid, void** ppOut) override;

private:
    HostViewContainer(void* nativeView, uint32_t type, HostInterfaceLevel level);
    AAX_Result HandleMouse(MouseEvent::Kind kind, AAX_CParamID parameterID, uint32_t modifiers);

    HostInterfaceLevel m_Level;
    void* const m_NativeView;
    const uint32_t m_Type;
    mutable std::mutex m_Mutex;  // guards everything below
    bool m_TakesMouseEvents = false;
    uint32_t m_Modifiers = 0;
    bool m_HasRequestedSize = false;
    AAX_Point m_RequestedSize;
    std::vector<MouseEvent> m_MouseEvents;
};
