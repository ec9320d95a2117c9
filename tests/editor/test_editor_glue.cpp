// The editor glue between the host's objects, the data model and the toolkit frame.
#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "VSTGUI_ContentView.h"

using VSTGUI::CLinuxNativeView;

namespace {

// A toolkit editor that records the parameter notifications it gets.
class RecordingGUI : public AAX_CEffectGUI_VST {
public:
    AAX_Result ParameterUpdated(AAX_CParamID id) override {
        updates.push_back(id ? id : "(null)");
        return AAX_SUCCESS;
    }
    std::vector<std::string> updates;
    int contentsCreated = 0;

protected:
    void CreateViewContents() override { ++contentsCreated; }
};

}  // namespace

TEST(EditorGlue, InitializeWithoutHostObject) {
    auto* gui = new RecordingGUI;
    gui->AddRef();
    EXPECT_EQ(gui->Initialize(nullptr), AAX_ERROR_NO_HOST_OBJECT);
    EXPECT_EQ(gui->GetEffectParameters(), nullptr);
    EXPECT_EQ(gui->GetController(), nullptr);
    EXPECT_EQ(gui->contentsCreated, 0);
    CLinuxNativeView native;
    auto container = HostViewContainer::Create(&native);
    EXPECT_EQ(gui->SetViewContainer(container->Identity()), AAX_SUCCESS);
    EXPECT_TRUE(gui->updates.empty()) << "no data model, nothing to push";
    EXPECT_NE(native.getFrame(), nullptr) << "the frame opens all the same";
    EXPECT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(native.getFrame(), nullptr);
    gui->Release();
}

TEST(EditorGlue, CallsBeforeOpeningAndTheHighlight) {
    EditorHarness h(false);
    EXPECT_EQ(h.guiInitializeResult, AAX_SUCCESS);
    EXPECT_EQ(h.gui->Draw(nullptr), AAX_SUCCESS);                 // no frame yet
    EXPECT_EQ(h.gui->ParameterUpdated("Color"), AAX_SUCCESS);     // nothing to update yet
    AAX_CString label("untouched");
    EXPECT_EQ(h.gui->GetCustomLabel(AAX_ePlugInStrings_MonoMode, &label), AAX_ERROR_NULL_OBJECT);
    EXPECT_STREQ(label.Get(), "untouched");
    EXPECT_EQ(h.gui->SetControlHighliteInfo(7, 1, 2), AAX_SUCCESS);
    EXPECT_TRUE(h.gui->IsHighlighted());
    EXPECT_EQ(h.gui->HighlightColor(), 2);
    h.gui->SetControlHighliteInfo(0, 0, 3);
    EXPECT_FALSE(h.gui->IsHighlighted());
    EXPECT_EQ(h.gui->HighlightColor(), -1);
}

TEST(EditorGlue, AnOpenEditorClosesWhenReleasedUninitializedOrMoved) {
    EditorHarness h(false);
    for (const std::string how : {"released", "uninitialized", "moved to another container"}) {
        SCOPED_TRACE(how);
        auto* gui = static_cast<Orvanta_GUI*>(Orvanta_GUI::Create());
        gui->AddRef();
        gui->Initialize(h.controller->Identity());
        CLinuxNativeView native, other;
        auto container = HostViewContainer::Create(&native), elsewhere = HostViewContainer::Create(&other);
        const acfUInt32 containerRefs = container->RefCount();
        gui->SetViewContainer(container->Identity());
        ASSERT_NE(native.getFrame(), nullptr);
        if (how == "released") gui->Release();  // by the host, without closing it first
        if (how == "uninitialized") {
            EXPECT_EQ(gui->Uninitialize(), AAX_SUCCESS);
            EXPECT_EQ(gui->GetEffectParameters(), nullptr);
            EXPECT_EQ(gui->GetViewContainer(), nullptr);
        }
        if (how == "moved to another container") {
            gui->SetViewContainer(elsewhere->Identity());
            EXPECT_NE(other.getFrame(), nullptr);
            EXPECT_EQ(gui->GetViewContainerPtr(), &other);
        }
        EXPECT_EQ(native.getFrame(), nullptr);
        EXPECT_EQ(container->RefCount(), containerRefs);
        if (how == "released") continue;
        gui->SetViewContainer(nullptr);
        EXPECT_EQ(other.getFrame(), nullptr);
        gui->Release();
    }
}

TEST(EditorGlue, UnusableContainersOpenNothingButStillPush) {
    CLinuxNativeView native;
    const struct { const char* description; void* nativeView; uint32_t type; HostInterfaceLevel level; }
        cases[] = {
        {"another container type", &native, AAX_eViewContainer_Type_UIView, HostInterfaceLevel::Version2},
        {"no native view", nullptr, AAX_eViewContainer_Type_NSView, HostInterfaceLevel::Version2},
        {"no container interface", &native, AAX_eViewContainer_Type_NSView, HostInterfaceLevel::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        EditorHarness h(false);
        auto* gui = new RecordingGUI;
        gui->AddRef();
        ASSERT_EQ(gui->Initialize(h.controller->Identity()), AAX_SUCCESS);
        EXPECT_EQ(gui->contentsCreated, 1);
        auto container = HostViewContainer::Create(c.nativeView, c.type, c.level);
        EXPECT_EQ(gui->SetViewContainer(container->Identity()), AAX_SUCCESS);
        EXPECT_EQ(native.getFrame(), nullptr);
        EXPECT_EQ(gui->getFrame(), nullptr);
        // Every parameter of the data model, once, in index order.
        int32_t count = 0;
        h.model->GetNumberOfParameters(&count);
        ASSERT_EQ(gui->updates.size(), size_t(count));
        for (int32_t index = 0; index < count; ++index) {
            AAX_CString id;
            h.model->GetParameterIDFromIndex(index, &id);
            EXPECT_EQ(gui->updates[size_t(index)], id.Get());
        }
        gui->SetViewContainer(nullptr);
        gui->Release();
    }
}

TEST(EditorGlue, ViewSizeAndDrawing) {
    EditorHarness h(false);
    AAX_Point size(-1, -1);
    EXPECT_EQ(h.gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size, AAX_Point(0, 0)) << "never opened";
    h.Open();
    VSTGUI::CBitmap* panel = Orvanta_View::m_hOrvantaBackground.get();
    ASSERT_NE(panel, nullptr);
    h.gui->GetViewSize(&size);
    EXPECT_EQ(size, AAX_Point(float(panel->getHeight()), float(panel->getWidth())));
    AAX_Point requested;
    ASSERT_TRUE(h.container->RequestedSize(&requested)) << "the container is told the editor's size";
    EXPECT_EQ(requested, size);
    h.Close();
    AAX_Point closedSize;
    h.gui->GetViewSize(&closedSize);
    EXPECT_EQ(closedSize, size) << "the size the editor had when last open";

    // Draw repaints the requested region of the platform view at once.
    h.Open();
    h.native.update();
    cairo_surface_t* surface = h.native.getSurface();
    uint32_t* pixels = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface));
    const int stride = cairo_image_surface_get_stride(surface) / 4;
    const uint32_t original = pixels[5 * stride + 5];
    pixels[5 * stride + 5] = 0xFF123456u;
    pixels[100 * stride + 300] = 0xFF123456u;
    AAX_Rect region(0, 0, 10, 10);  // top, left, width, height
    EXPECT_EQ(h.gui->Draw(&region), AAX_SUCCESS);
    EXPECT_EQ(pixels[5 * stride + 5], original);
    EXPECT_EQ(pixels[100 * stride + 300], 0xFF123456u) << "outside the region nothing is drawn";
    EXPECT_EQ(h.gui->Draw(nullptr), AAX_SUCCESS);
}

TEST(ContentView, SizeOnlyWhileVisible) {
    CLinuxNativeView native;
    auto* view = new VSTGUI_ContentView(&native, nullptr, nullptr);
    view->setSize(40, 30);
    const struct { bool visible; float alpha; bool answered; } cases[] = {
        {true, 1.0f, true}, {false, 1.0f, false}, {true, 0.0f, false}, {true, 0.2f, true}};
    for (const auto& c : cases) {
        view->setVisible(c.visible);
        view->setAlphaValue(c.alpha);
        VSTGUI::CRect size(1, 2, 3, 4);
        EXPECT_EQ(view->getSize(&size), c.answered);
        EXPECT_EQ(size, c.answered ? VSTGUI::CRect(0, 0, 40, 30) : VSTGUI::CRect(1, 2, 3, 4));
    }
    view->forget();
}
