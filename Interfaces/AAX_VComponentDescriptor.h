// AAX_VComponentDescriptor: AAX_IComponentDescriptor over a component
// descriptor the host creates (class AAXCompID_AAXComponentDescriptor). Owns
// the property maps it hands out.
#pragma once

#include <set>

#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IComponentDescriptor.h"
#include "ACFPtr.h"

class AAX_VPropertyMap;

class AAX_VComponentDescriptor : public AAX_IComponentDescriptor {
public:
    // Main thread. Keeps a reference to rootUnknown and creates the host object
    // through its component factory; without either it stays empty.
    explicit AAX_VComponentDescriptor(IACFUnknown* rootUnknown);
    // Deletes the owned maps, then releases the host objects and the root.
    ~AAX_VComponentDescriptor() override;
    AAX_VComponentDescriptor(const AAX_VComponentDescriptor&) = delete;
    AAX_VComponentDescriptor& operator=(const AAX_VComponentDescriptor&) = delete;

    AAX_Result Clear() override;
    AAX_Result AddAudioIn(AAX_CFieldIndex field) override;
    AAX_Result AddAudioOut(AAX_CFieldIndex field) override;
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) override;
    AAX_Result AddSampleRate(AAX_CFieldIndex field) override;
    AAX_Result AddClock(AAX_CFieldIndex field) override;
    AAX_Result AddSideChainIn(AAX_CFieldIndex field) override;
    AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize,
                             AAX_EDataInPortType portType = AAX_eDataInPortType_Buffered) override;
    AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, int32_t stemFormat, const char* name) override;
    AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t dataSize,
                              uint32_t options = AAX_ePrivateDataOptions_DefaultOptions) override;
    AAX_Result AddTemporaryData(AAX_CFieldIndex field, uint32_t dataElementSize) override;
    AAX_Result AddDmaInstance(AAX_CFieldIndex field, AAX_IDma::EMode dmaMode) override;
    AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) override;
    AAX_Result AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                           uint32_t channelMask) override;
    AAX_Result AddReservedField(AAX_CFieldIndex field, uint32_t fieldType) override;
    AAX_IPropertyMap* NewPropertyMap() const override;
    AAX_IPropertyMap* DuplicatePropertyMap(AAX_IPropertyMap* source) const override;
    AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, AAX_IPropertyMap* properties = nullptr,
                                     AAX_CInstanceInitProc instanceInitProc = nullptr,
                                     AAX_CBackgroundProc backgroundProc = nullptr,
                                     AAX_CSelector* outProcID = nullptr) override;
    AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                 AAX_IPropertyMap* properties = nullptr, const char* instanceInitProcSymbol = nullptr,
                                 const char* backgroundProcSymbol = nullptr,
                                 AAX_CSelector* outProcID = nullptr) override;
    IACFUnknown* GetIUnknown() const override;

private:
    ACFPtr<IACFUnknown> m_UnkHost;
    ACFPtr<AAX_IACFComponentDescriptor> m_IACFComponentDescriptor;
    ACFPtr<AAX_IACFComponentDescriptor_V2> m_IACFComponentDescriptorV2;
    // The maps this descriptor handed out; NewPropertyMap is const but the
    // ownership set is bookkeeping, not observable state.
    mutable std::set<AAX_VPropertyMap*> m_PropertyMaps;
};
