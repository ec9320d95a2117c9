// AAX_IComponentDescriptor: the description of one algorithm component as the
// plug-in fills it. Main thread, within the registration call.
#pragma once

#include "AAX.h"
#include "AAX_IDma.h"

class IACFUnknown;
class AAX_IPropertyMap;

class AAX_IComponentDescriptor {
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioOut(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioBufferLength(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSampleRate(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddClock(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSideChainIn(AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddDataInPort(AAX_CFieldIndex field, uint32_t packetSize,
                                     AAX_EDataInPortType portType = AAX_eDataInPortType_Buffered) = 0;
    virtual AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, int32_t stemFormat, const char* name) = 0;
    virtual AAX_Result AddPrivateData(AAX_CFieldIndex field, int32_t dataSize,
                                      uint32_t options = AAX_ePrivateDataOptions_DefaultOptions) = 0;
    virtual AAX_Result AddTemporaryData(AAX_CFieldIndex field, uint32_t dataElementSize) = 0;
    virtual AAX_Result AddDmaInstance(AAX_CFieldIndex field, AAX_IDma::EMode dmaMode) = 0;
    virtual AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) = 0;
    virtual AAX_Result AddMIDINode(AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                                   uint32_t channelMask) = 0;
    virtual AAX_Result AddReservedField(AAX_CFieldIndex field, uint32_t fieldType) = 0;
    // A new property map owned by this descriptor; the caller never deletes it.
    virtual AAX_IPropertyMap* NewPropertyMap() const = 0;
    // A new owned map holding a copy of source's properties (ids 10 to 307).
    virtual AAX_IPropertyMap* DuplicatePropertyMap(AAX_IPropertyMap* source) const = 0;
    // The host reads properties at this call; the optional arguments may be null.
    virtual AAX_Result AddProcessProc_Native(AAX_CProcessProc processProc, AAX_IPropertyMap* properties = nullptr,
                                             AAX_CInstanceInitProc instanceInitProc = nullptr,
                                             AAX_CBackgroundProc backgroundProc = nullptr,
                                             AAX_CSelector* outProcID = nullptr) = 0;
    virtual AAX_Result AddProcessProc_TI(const char* dllFileName, const char* processProcSymbol,
                                         AAX_IPropertyMap* properties = nullptr,
                                         const char* instanceInitProcSymbol = nullptr,
                                         const char* backgroundProcSymbol = nullptr,
                                         AAX_CSelector* outProcID = nullptr) = 0;
    // The host's version-1 object behind this descriptor (null without one).
    virtual IACFUnknown* GetIUnknown() const = 0;
};
