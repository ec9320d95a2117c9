// One effect instance under the substitute host, driven as a host drives it:
// the data model, created by the module's factory, is initialised with a
// per-instance host object (a controller answering for the transport and
// the automation delegate); the algorithm context is laid out from the
// component's declared fields and its private data initialised through the
// data model's ResetFieldData; before every block the host answers the
// queued set-value requests, asks the data model to generate coefficients
// and copies each posted packet into its context field; then it calls the
// component's native process procedure with flush-to-zero set.
//
// The instance knows the module only through its interfaces, the recorded
// description and the procedures it registered.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AAX_IACFEffectGUI.h"
#include "AAX_IACFEffectParameters.h"
#include "ACFPtr.h"
#include "host/objects/HostAutomationDelegate.h"
#include "host/objects/HostController.h"
#include "host/objects/HostTransport.h"
#include "host/objects/RecordedDescription.h"
#include "host/runtime/AlgorithmContext.h"

class EffectInstance {
public:
    // What the module supplies for one instance.
    struct Parts {
        IACFUnknown* dataModel = nullptr;            // from the data-model factory; the instance takes this reference
        const RecordedComponent* component = nullptr;  // declares the context fields
        AAX_CProcessProc processProc = nullptr;      // the component's native procedure for the rate
    };
    struct Setup {
        AAX_CSampleRate sampleRate = 48000.0f;
        AAX_EStemFormat stemFormat = AAX_eStemFormat_Stereo;  // input and output alike
        int32_t maxBlockSize = 4096;                          // longer blocks are processed in pieces
    };

    // Main thread. Null with a message in *error when a part is missing, the
    // data model lacks its interface or fails to initialise, or the context
    // cannot be laid out or initialised. The data-model reference in parts
    // is taken over in every case.
    static std::unique_ptr<EffectInstance> Create(const Parts& parts, const Setup& setup, std::string* error);
    // Main thread: uninitialises the data model and releases everything.
    ~EffectInstance();
    EffectInstance(const EffectInstance&) = delete;
    EffectInstance& operator=(const EffectInstance&) = delete;

    // ---- main thread ----
    // The data model, as the host talks to it.
    AAX_IACFEffectParameters& Parameters() const { return *m_Parameters.get(); }
    // The per-instance host object (the controller), as an editor is given it.
    IACFUnknown* HostObject() const { return m_Controller->Identity(); }
    HostController& Controller() const { return *m_Controller.get(); }
    HostAutomationDelegate& Automation() const { return *m_Automation.get(); }
    HostTransport& Transport() const { return *m_Transport.get(); }
    const Setup& GetSetup() const { return m_Setup; }
    int32_t Channels() const { return m_Context->GetSetup().channels; }
    // The algorithm context the process procedure receives.
    const AlgorithmContext& Context() const { return *m_Context; }

    // The host's answer to the set-value requests queued since the last
    // call: UpdateParameterNormalizedValue for each, in order, and the
    // attached editor told of each. Playback values for a parameter that is
    // touched at this moment are dropped unanswered (the user's gesture
    // wins). Returns how many were answered. Main or user-interface thread,
    // the one that drives the editor and enters the data model.
    size_t AnswerRequests();
    // Host automation: sets a parameter's value through
    // UpdateParameterNormalizedValue (and tells the editor). Returns the
    // data model's result.
    AAX_Result ApplyAutomation(const char* parameterID, double normalizedValue);
    // True while a gesture on the parameter is open (touched, not released).
    bool IsTouched(const char* parameterID) const { return m_Automation->IsTouched(parameterID ? parameterID : ""); }

    // The editor told of every parameter change from now on; null detaches.
    // Nothing happens for an object without the editor interface.
    void AttachEditor(IACFUnknown* editor);

    // Re-initialises every private-data block through the data model
    // (as at creation): the algorithm starts from silence again.
    AAX_Result ResetAlgorithm();

    // The delay the module reports: the signal latency it set through the
    // controller, else the latency property of the process procedure's
    // registration for this rate and layout, else 0.
    int32_t ReportedLatency() const;

    // Packets refused because their size was not the declared one.
    uint64_t RefusedPackets() const { return m_RefusedPackets; }

    // ---- processing ----
    // One host block of frames samples: PrepareBlock, then RenderBlock.
    // Returns the result of generating coefficients (the block is processed
    // either way). Nothing happens for frames <= 0.
    AAX_Result ProcessBlock(float* const* inputs, float* const* outputs, int32_t frames);
    // The host's work before a block: answers the queued set-value
    // requests, has the data model generate coefficients and copies the
    // newest posted packet of each data-in port into the context. Returns
    // the result of generating coefficients. Once every parameter has been
    // set once, this allocates nothing (a host may call it on its audio
    // thread), but it calls into the data model, so the caller must keep
    // other threads out of the data model meanwhile.
    AAX_Result PrepareBlock();
    // The process procedure over frames samples on the calling thread with
    // flush-to-zero and denormals-are-zero set, in pieces of at most
    // maxBlockSize; the context sees the packets delivered so far. inputs and
    // outputs hold Channels() buffers of frames samples each. No allocation,
    // no lock, and no call into the data model: safe on the audio thread.
    void RenderBlock(float* const* inputs, float* const* outputs, int32_t frames);
    // Audio thread, between blocks: copies the newest packet the data model
    // posted for each data-in port into the context, as a host's audio
    // engine picks up what its main thread queued. A host that answers
    // requests and generates coefficients on its main thread calls this
    // before each RenderBlock instead of PrepareBlock. It takes only the
    // controller's own queue lock and, once each port has held its packets,
    // allocates nothing; it never calls into the data model.
    void DeliverPackets();

private:
    explicit EffectInstance(const Setup& setup);
    bool Start(const Parts& parts, std::string* error);
    void TellEditor(const char* parameterID);

    Setup m_Setup;
    ACFPtr<HostController> m_Controller;
    ACFPtr<HostAutomationDelegate> m_Automation;
    ACFPtr<HostTransport> m_Transport;
    ACFPtr<IACFUnknown> m_DataModel;
    ACFPtr<AAX_IACFEffectParameters> m_Parameters;
    ACFPtr<AAX_IACFEffectGUI> m_Editor;
    bool m_Initialized = false;
    std::unique_ptr<AlgorithmContext> m_Context;
    AAX_CProcessProc m_ProcessProc = nullptr;
    std::vector<float*> m_PieceInputs;   // the current piece's channel pointers
    std::vector<float*> m_PieceOutputs;
    // Reused by AnswerRequests, so that answering allocates nothing.
    std::vector<HostAutomationDelegate::SetValueRequest> m_Requests;
    int32_t m_LatencyProperty = 0;
    uint64_t m_RefusedPackets = 0;
};
