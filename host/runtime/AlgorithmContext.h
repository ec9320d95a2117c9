// The algorithm context of one effect instance, as a host lays it out: a
// record holding one pointer per context field, in field-index order, and
// the memory behind each pointer, allocated from the fields the component
// declared in its description (not from any record type of the effect).
//
//   data-in port     a packet buffer of the declared size, zeroed until the
//                    first packet is delivered
//   private data     a block of the declared size, for the data model to
//                    initialise (ResetFieldData)
//   temporary data   the declared element size times the largest block
//   audio in / out   an array of channel-buffer pointers, set per block
//   buffer length    a signed 32-bit sample count, set per block
//   sample rate      the instance's rate as a 32-bit float
//   clock            the sample position of the block, a 64-bit count
//   meters           one float per declared meter
//
// Side-chain inputs, auxiliary outputs, DMA, MIDI nodes and reserved fields
// are not offered: a component that declares one is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AAX.h"
#include "host/objects/RecordedDescription.h"

class AlgorithmContext {
public:
    struct Setup {
        AAX_CSampleRate sampleRate = 48000.0f;
        int32_t channels = 2;        // audio buffers per direction
        int32_t maxBlockSize = 1024; // the most samples one block may hold
    };

    // A context memory block: its field and its bytes.
    struct Block {
        AAX_CFieldIndex field = 0;
        void* data = nullptr;
        uint32_t size = 0;
    };

    // Main thread. Null with a message in *error when the component declares
    // a field this host does not offer, declares no audio input or output,
    // or uses a field index outside 0 .. kMaxFieldIndex.
    static std::unique_ptr<AlgorithmContext> Create(const RecordedComponent& component, const Setup& setup,
                                                    std::string* error);

    static constexpr AAX_CFieldIndex kMaxFieldIndex = 255;

    // The record handed to the process procedure.
    void* Record() { return m_Record.data(); }
    const Setup& GetSetup() const { return m_Setup; }

    // The private-data blocks, for the data model to initialise.
    const std::vector<Block>& PrivateData() const { return m_PrivateData; }
    // The data-in ports' packet buffers.
    const std::vector<Block>& DataInPorts() const { return m_DataInPorts; }

    // Main thread, between blocks. Copies a packet posted for field into its
    // buffer. False, and nothing copied, when the field is no data-in port or
    // the packet's size is not the declared one.
    bool DeliverPacket(AAX_CFieldIndex field, const void* data, size_t size);

    // Audio thread. Points the audio fields at the block's channel buffers
    // (Setup::channels each) and sets the buffer length; frames must lie in
    // 1 .. maxBlockSize. No allocation, no lock.
    void BeginBlock(float* const* inputs, float* const* outputs, int32_t frames) noexcept;
    // Audio thread. Moves the clock past the block.
    void EndBlock(int32_t frames) noexcept { m_Clock += frames; }

private:
    AlgorithmContext() = default;
    // Allocates a zeroed block of at least size bytes for field.
    Block NewBlock(AAX_CFieldIndex field, size_t size);
    bool Bind(const RecordedField& field, std::string* error);

    Setup m_Setup;
    std::vector<void*> m_Record;
    std::vector<std::unique_ptr<std::max_align_t[]>> m_Storage;
    std::vector<Block> m_PrivateData;
    std::vector<Block> m_DataInPorts;
    std::vector<float*> m_Inputs;
    std::vector<float*> m_Outputs;
    int32_t m_BufferLength = 0;
    AAX_CSampleRate m_SampleRate = 0.0f;
    AAX_CTimestamp m_Clock = 0;
};
