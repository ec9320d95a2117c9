// AAX_CPacketDispatcher: one packet per field, posted at most once per
// dispatch, in identifier order, only when dirty and when its handler succeeds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AAX_CPacketDispatcher.h"
#include "AAX_VController.h"

namespace {

// A controller over no host that keeps a copy of every posted packet, in order.
class RecordingController : public AAX_VController {
public:
    struct Post { AAX_CFieldIndex field; std::vector<uint8_t> bytes; };
    std::vector<Post> posts;

    RecordingController() : AAX_VController(nullptr) {}
    AAX_Result PostPacket(AAX_CFieldIndex field, const void* data, uint32_t size) override {
        const auto* bytes = static_cast<const uint8_t*>(data);
        posts.push_back({field, std::vector<uint8_t>(bytes, bytes + size)});
        return AAX_SUCCESS;
    }
};

// A handler target that writes one byte counting its calls and remembers the
// identifier it was called with.
struct CountingWorker {
    int calls = 0;
    AAX_Result result = 0;
    std::vector<std::string> identifiers;

    AAX_Result Fill(AAX_CPacket& packet) {
        packet.SetSize(1);
        *packet.GetPtr<uint8_t>() = uint8_t(++calls);
        return result;
    }
    AAX_Result FillWithID(AAX_CParamID id, AAX_CPacket& packet) {
        identifiers.push_back(id);
        return Fill(packet);
    }
};

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override { dispatcher.Initialize(&controller, nullptr); }
    // The effect's six parameters, all feeding the one packet of field 0.
    void RegisterSix() {
        for (const char* id : {"", "Harmonic", "OutputTrim", "Dynamic", "Dither", "Color"})
            dispatcher.RegisterPacket(id, 0, &worker, &CountingWorker::Fill);
    }

    RecordingController controller;
    CountingWorker worker;
    AAX_CPacketDispatcher dispatcher;
};

TEST_F(Dispatcher, FailingHandlerDropsThePostUntilNextChange) {
    RegisterSix();
    worker.result = AAX_ERROR_NULL_OBJECT;
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_TRUE(controller.posts.empty());
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(worker.calls, 1);  // marked clean all the same
    worker.result = 0;
    dispatcher.SetDirty("Harmonic", true);
    dispatcher.Dispatch();
    EXPECT_EQ(controller.posts.size(), 1u);

    // A handler without member functions fails the same way.
    const AAX_CPacketHandler<CountingWorker> empty(&worker, AAX_CPacketHandler<CountingWorker>::PacketOnlyHandler(nullptr));
    AAX_CPacket packet(0);
    EXPECT_EQ(empty.Call("x", packet), AAX_ERROR_NULL_OBJECT);
    dispatcher.RegisterPacket("x", 1, &empty);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(controller.posts.size(), 1u);
}

TEST_F(Dispatcher, VisitsIdentifiersInByteOrderAndSeparateFieldsSeparately) {
    CountingWorker second;
    const AAX_CPacketHandler<CountingWorker> byID(&worker, &CountingWorker::FillWithID);
    for (const char* id : {"b", "", "a"}) dispatcher.RegisterPacket(id, 0, &byID);
    const AAX_CPacketHandler<CountingWorker> other(&second, &CountingWorker::FillWithID);
    dispatcher.RegisterPacket("a", 3, &other);
    EXPECT_EQ(dispatcher.NumPackets(), 2u);

    dispatcher.Dispatch();
    EXPECT_EQ(worker.identifiers, (std::vector<std::string>{""}));  // the first in byte order fills it
    EXPECT_EQ(second.identifiers, (std::vector<std::string>{"a"}));
    ASSERT_EQ(controller.posts.size(), 2u);
    EXPECT_EQ(controller.posts[0].field, 0);
    EXPECT_EQ(controller.posts[1].field, 3);

    dispatcher.SetDirty("a", true);  // both fields are fed by "a"
    controller.posts.clear();
    dispatcher.Dispatch();
    EXPECT_EQ(controller.posts.size(), 2u);
}

TEST_F(Dispatcher, HandlerMayReenterTheDispatcher) {
    // The lock is re-entrant for its owner: a handler that marks another
    // packet dirty does not deadlock.
    struct Reentrant {
        AAX_CPacketDispatcher* dispatcher;
        AAX_Result Fill(AAX_CPacket& packet) {
            dispatcher->SetDirty("other", true);
            packet.SetSize(4);
            return 0;
        }
    };
    Reentrant reentrant{&dispatcher};
    dispatcher.RegisterPacket("x", 0, &reentrant, &Reentrant::Fill);
    EXPECT_EQ(dispatcher.Dispatch(), 0);
    EXPECT_EQ(controller.posts.size(), 1u);
}

}  // namespace
