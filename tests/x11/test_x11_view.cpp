// The window view in this process: 20 open, drag and close cycles leave no window,
// descriptor, memory or protocol error behind; a view's protocol error is recorded, not fatal.
#include "tests/editorcli/EditorCliHarness.h"
#include "toolkit/CX11NativeView.h"
// Last: it brings Xlib's macros.
#include "X11TestSupport.h"

namespace {

using namespace x11_test;
using VSTGUI::CX11NativeView;

size_t OpenDescriptors() { return cli_test::EntriesOf("/proc/self/fd").size(); }

std::unique_ptr<CX11NativeView> NewWindow() {
    CX11NativeView::Placement placement;
    CX11NativeView::Failure why;
    std::unique_ptr<CX11NativeView> view = CX11NativeView::create(placement, &why);
    EXPECT_TRUE(view) << why.message;
    return view;
}

TEST(X11NativeView, OpenCloseCyclesLeaveNothingBehind) {
    ASSERT_VIRTUAL_DISPLAY();
    Connection observer;
    editorcli_test::OpenEditor editor;
    const size_t descriptors = OpenDescriptors();
    for (int cycle = 0; cycle < 20; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        std::unique_ptr<CX11NativeView> view = NewWindow();
        ASSERT_TRUE(view);
        CX11NativeView* open = view.get();
        ASSERT_EQ(editor.session->Open(std::move(view)), AAX_SUCCESS);
        open->show();
        const Window window = observer.WaitForWindow(getpid());
        ASSERT_EQ(window, open->getWindow());
        const auto pump = [&] {
            while (open->handleNextEvent()) editor.session->Idle();
            return open->closeRequested();
        };
        // A drag on the Harmonic knob, up and down in turn: input, and many small repaints.
        const double before = editor.Normalized(Orvanta::kParamID_Harmonic);
        const std::string id = std::to_string(window), end = cycle % 2 ? "91" : "51";
        ASSERT_EQ(RunTool({"xdotool", "mousemove", "--window", id, "49", "71", "mousedown", "1", "mousemove", "--window",
                           id, "49", "61", "mousemove", "--window", id, "49", end, "mouseup", "1"}),
                  0);
        EXPECT_TRUE(WaitFor([&] { return pump(), editor.Normalized(Orvanta::kParamID_Harmonic) != before; }, 5));
        observer.RequestClose(window);
        ASSERT_TRUE(WaitFor(pump)) << "WM_DELETE_WINDOW did not arrive";
        editor.session->Close();
        EXPECT_FALSE(observer.Exists(window));
        EXPECT_EQ(CX11NativeView::takeErrors(), std::vector<std::string>());
    }
    EXPECT_EQ(OpenDescriptors(), descriptors);
    EXPECT_EQ(Connection::Errors(), 0);
}

TEST(X11NativeView, RecordsProtocolErrorsOfItsConnection) {
    ASSERT_VIRTUAL_DISPLAY();
    Connection observer;
    {
        std::unique_ptr<CX11NativeView> view = NewWindow();
        ASSERT_TRUE(view);
        XDestroyWindow(view->getDisplay(), view->getWindow() + 0x1000);
    }
    const std::vector<std::string> errors = CX11NativeView::takeErrors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].find("BadWindow"), 0u) << errors[0];
    EXPECT_TRUE(CX11NativeView::takeErrors().empty());
    // The observer's own handler is back for its connection: the process lives on.
    EXPECT_FALSE(observer.Exists(0x1234));
}

}  // namespace
