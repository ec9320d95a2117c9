#include "ValidationGestures.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "host/runtime/EditorSession.h"
#include "host/runtime/ModuleFacts.h"
#include "toolkit/CFrame.h"
#include "host/runtime/ValidationSupport.h"

using VSTGUI::CLinuxNativeView;
using VSTGUI::CPoint;

namespace validation {

namespace {

const uint32_t kDragModifiers[] = {0, 0, CLinuxNativeView::kCommandModifier, CLinuxNativeView::kShiftModifier};
const uint32_t kClickModifiers[] = {CLinuxNativeView::kControlModifier, CLinuxNativeView::kCommandModifier,
                                    CLinuxNativeView::kOptionModifier};
// A spot of bare panel, where a click only takes the keyboard focus away.
const CPoint kBarePanel(4, 4);

CPoint Centre(const SEditorControl& control) {
    return CPoint(std::floor((control.left + control.right) / 2), std::floor((control.top + control.bottom) / 2));
}

void Click(EditorSession& session, const CPoint& at, uint32_t modifiers = 0) {
    session.MouseDown(at, CLinuxNativeView::kLeftButton, modifiers);
    session.MouseUp(at, CLinuxNativeView::kLeftButton, modifiers);
}

class Gesturer {
public:
    Gesturer(EditorSession& session, EffectInstance& instance, std::mt19937_64& random)
        : m_Session(session), m_Instance(instance), m_Random(random) {
        if (const IEditorControls* panel = PanelControls(session))
            for (size_t i = 0; i < panel->EditorControlCount(); ++i) {
                const SEditorControl control = panel->EditorControlAt(i);
                (control.kind == SEditorControl::EKind::Knob      ? m_Knobs
                 : control.kind == SEditorControl::EKind::Display ? m_Displays
                                                                  : m_Buttons)
                    .push_back(control);
            }
    }

    EditorGesture Perform(bool allowAutomation) {
        // A panel without controls of a kind leaves only automation.
        if (m_Knobs.empty() || m_Displays.empty() || m_Buttons.empty()) return Automate();
        switch (Between(0, allowAutomation ? 6 : 5)) {
            case 0: return DragKnob();
            case 1: return TurnWheel();
            case 2: return ClickButton();
            case 3: return TypeIntoDisplay();
            case 4: return ModifierClick();
            case 5: return StepWithKeys();
            default: return Automate();
        }
    }

private:
    template <class T, size_t N>
    const T& Pick(const T (&items)[N]) {
        return items[std::uniform_int_distribution<size_t>(0, N - 1)(m_Random)];
    }
    const SEditorControl& Pick(const std::vector<SEditorControl>& controls) {
        return controls[std::uniform_int_distribution<size_t>(0, controls.size() - 1)(m_Random)];
    }
    int Between(int lowest, int highest) { return std::uniform_int_distribution<int>(lowest, highest)(m_Random); }

    static EditorGesture Described(const std::string& description, const std::string& id) {
        EditorGesture gesture;
        gesture.description = description;
        gesture.parameterID = id;
        return gesture;
    }

    EditorGesture DragKnob() {
        const SEditorControl& knob = Pick(m_Knobs);
        // Plain, or with a modifier that may make the drag finer.
        const uint32_t modifiers = Pick(kDragModifiers);
        CPoint at = Centre(knob);
        m_Session.MouseDown(at, CLinuxNativeView::kLeftButton, modifiers);
        for (int move = Between(1, 6); move > 0; --move) {
            at = CPoint(at.x + Between(-20, 20), at.y + Between(-60, 60));
            m_Session.MouseMoved(at, CLinuxNativeView::kLeftButton, modifiers);
        }
        m_Session.MouseUp(at, CLinuxNativeView::kLeftButton, modifiers);
        return Described(std::string("a drag of the '") + knob.parameterID + "' knob", knob.parameterID);
    }

    EditorGesture TurnWheel() {
        const SEditorControl& knob = Pick(m_Knobs);
        m_Session.MouseWheel(Centre(knob), float(Between(-4, 4)), 0);
        return Described(std::string("a wheel turn on the '") + knob.parameterID + "' knob", knob.parameterID);
    }

    EditorGesture ModifierClick() {
        const SEditorControl& knob = Pick(m_Knobs);
        Click(m_Session, Centre(knob), Pick(kClickModifiers));
        return Described(std::string("a modifier click on the '") + knob.parameterID + "' knob", knob.parameterID);
    }

    // A click gives a knob the keyboard focus; the arrow keys step it.
    EditorGesture StepWithKeys() {
        const SEditorControl& knob = Pick(m_Knobs);
        Click(m_Session, Centre(knob));
        for (int press = Between(1, 5); press > 0; --press)
            m_Session.KeyDown(0, Between(0, 1) ? VSTGUI::VKEY_UP : VSTGUI::VKEY_DOWN, 0);
        return Described(std::string("arrow keys on the '") + knob.parameterID + "' knob", knob.parameterID);
    }

    EditorGesture ClickButton() {
        const SEditorControl& button = Pick(m_Buttons);
        Click(m_Session, Centre(button));
        EditorGesture gesture = Described(
            std::string("a click on the button for '") + button.parameterID + "' " + std::to_string(button.value), button.parameterID);
        gesture.expectation = EditorGesture::Expectation::Value;
        gesture.value = button.value;
        return gesture;
    }

    EditorGesture TypeIntoDisplay() {
        const AAX_IACFEffectParameters& model = m_Instance.Parameters();
        const SEditorControl& display = Pick(m_Displays);
        const int32_t steps = std::max(NumberOfSteps(model, display.parameterID), 2);
        const std::string text = DisplayText(model, display.parameterID, StepValue(Between(0, steps - 1), steps));
        Click(m_Session, Centre(display));
        m_Session.TypeText(text);
        m_Session.KeyDown(0, VSTGUI::VKEY_RETURN, 0);
        EditorGesture gesture =
            Described("'" + text + "' typed into the display of '" + display.parameterID + "'", display.parameterID);
        gesture.expectation = EditorGesture::Expectation::Text;
        gesture.text = text;
        return gesture;
    }

    EditorGesture Automate() {
        const std::vector<std::string> ids = ParameterIDs(m_Instance.Parameters());
        const std::string& id = ids[std::uniform_int_distribution<size_t>(0, ids.size() - 1)(m_Random)];
        const double value = std::uniform_real_distribution<double>(0.0, 1.0)(m_Random);
        m_Instance.ApplyAutomation(id.c_str(), value);
        EditorGesture gesture = Described("automation of '" + id + "'", id);
        gesture.automation = true;
        return gesture;
    }

    EditorSession& m_Session;
    EffectInstance& m_Instance;
    std::mt19937_64& m_Random;
    std::vector<SEditorControl> m_Knobs, m_Displays, m_Buttons;
};

}  // namespace

EditorGesture PerformRandomGesture(EditorSession& session, EffectInstance& instance, std::mt19937_64& random,
                                   bool allowAutomation) {
    return Gesturer(session, instance, random).Perform(allowAutomation);
}

const IEditorControls* PanelControls(EditorSession& session) {
    CLinuxNativeView* view = session.NativeView();
    return view ? dynamic_cast<const IEditorControls*>(view->getFrame()) : nullptr;
}

std::string DisplayText(const AAX_IACFEffectParameters& model, const std::string& parameterID, double normalized) {
    const std::string name = NameForValue(model, QueryValueNames(model), parameterID, normalized);
    return name.empty() ? StringFromValue(model, parameterID, normalized) : name;
}

std::vector<uint32_t> PanelPixels(EditorSession& session) {
    CLinuxNativeView* view = session.NativeView();
    if (!view) return {};
    view->update();
    cairo_surface_t* surface = view->getSurface();
    if (!surface) return {};
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        pixels.insert(pixels.end(), row, row + width);
    }
    return pixels;
}

bool PanelShowsCurrentState(EditorSession& session) {
    Click(session, kBarePanel);
    const std::vector<uint32_t> shown = PanelPixels(session);
    session.Open();
    return PanelPixels(session) == shown;
}

}  // namespace validation
