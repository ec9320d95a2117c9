// Every 128-bit interface and class identifier of the host boundary, in one
// place. The host framework's published values are not available to this
// project, so these are the project's own values, generated once at random
// and fixed here; the module and the substitute host both take them from
// this file. Never reuse a value for another interface: a new interface or
// version gets a new identifier.
#pragma once

#include "acfbasetypes.h"

// The classic unknown: the well-known identifier 00000000-0000-0000-C000-000000000046.
constexpr acfIID IID_IACFUnknown = {0x00000000U, 0x00000000U, 0xC0000000U, 0x00000046U};

// ---- Component framework ----
constexpr acfIID IID_IACFComponentFactory = {0x10F3CDDBU, 0xFD1F4C0AU, 0xA331DA3DU, 0x0D56BA18U};
constexpr acfIID IID_IACFDefinition = {0xC62D8DC7U, 0xEDC54BC7U, 0xBAF5C04AU, 0x7027EB60U};
constexpr acfIID IID_IACFPluginDefinition = {0x20A30AE3U, 0xFED249AAU, 0x8F6E8F9CU, 0xE86736D7U};
constexpr acfIID IID_IACFComponentDefinition = {0xD2DEEF6FU, 0xA3844BFCU, 0x830C1656U, 0xD90F1BF7U};

// ---- Description objects ----
constexpr acfIID IID_IAAXCollectionV1 = {0xAD522FBEU, 0x291E4D0DU, 0x8B88D8BCU, 0xDA7D3DAFU};
constexpr acfIID IID_IAAXEffectDescriptorV1 = {0xD238DFF0U, 0xB553453EU, 0xB52CD24EU, 0x8F76CB6BU};
constexpr acfIID IID_IAAXEffectDescriptorV2 = {0x1E7E94CBU, 0x3B3B41FDU, 0xBA175E50U, 0x5214CFFBU};
constexpr acfIID IID_IAAXComponentDescriptorV1 = {0xD51E119FU, 0x5C2D4DFEU, 0xA129B19EU, 0xDA6B7E2AU};
constexpr acfIID IID_IAAXComponentDescriptorV2 = {0x33C53991U, 0xEADF4227U, 0xAD2F7312U, 0xDFCF5B4DU};
constexpr acfIID IID_IAAXPropertyMapV1 = {0xCD73ACAFU, 0xB06A45E6U, 0x9ACDDE61U, 0x66041282U};
constexpr acfIID IID_IAAXPropertyMapV2 = {0x3E70FE06U, 0xD75B4A9BU, 0x91ADAC27U, 0x7B369880U};

// ---- Per-instance host services ----
constexpr acfIID IID_IAAXControllerV1 = {0x584AE665U, 0x13544477U, 0x993E7932U, 0x381DE7DEU};
constexpr acfIID IID_IAAXControllerV2 = {0xE4BDB7D4U, 0xE4734DCFU, 0xB771B89BU, 0x32A31605U};
constexpr acfIID IID_IAAXTransportV1 = {0x43D6FC50U, 0x9FC34E58U, 0xA503FD3EU, 0x28692607U};
constexpr acfIID IID_IAAXTransportV2 = {0x08F05933U, 0xB16647D8U, 0x99B99E4DU, 0x7BFB6704U};
constexpr acfIID IID_IAAXAutomationDelegateV1 = {0xA8CE05D9U, 0x9A624DD4U, 0xA7B95A64U, 0xFBECD9A3U};
constexpr acfIID IID_IAAXViewContainerV1 = {0x7FC3DA98U, 0x97254CDFU, 0x99D6B898U, 0xBB90737BU};
constexpr acfIID IID_IAAXHostServicesV1 = {0x338B78FCU, 0xEE194CE5U, 0xB3EDD1ABU, 0xEDBE109CU};

// ---- Interfaces the plug-in's own objects answer ----
constexpr acfIID IID_IAAXEffectParametersV1 = {0x1155508DU, 0x7F0944BBU, 0x9BEBD68DU, 0xFC73D104U};
constexpr acfIID IID_IAAXEffectParametersV2 = {0x07A99787U, 0xC70142C0U, 0xA707890DU, 0x40CD322AU};
constexpr acfIID IID_IAAXEffectGUIV1 = {0xF1CE227AU, 0xF9204DA0U, 0xAC04BB47U, 0xF210584FU};

// ---- Class ids of the components the host's component factory creates ----
constexpr acfCLSID AAXCompID_HostServices = {0xFD36F28AU, 0xD6C64111U, 0x8E73A64EU, 0x8FA99641U};
constexpr acfCLSID AAXCompID_AAXCollection = {0x0A5B7250U, 0x71D147CDU, 0x9AD52823U, 0x0404B607U};
constexpr acfCLSID AAXCompID_AAXEffectDescriptor = {0xD9E480EEU, 0x85FB4D9FU, 0x81BC1994U, 0xB1911D62U};
constexpr acfCLSID AAXCompID_AAXComponentDescriptor = {0x7ED86F21U, 0x6B784721U, 0xB9FDCE46U, 0x0CAAFB10U};
constexpr acfCLSID AAXCompID_AAXPropertyMap = {0xCB29A50FU, 0x4700415CU, 0x92CC1F31U, 0x8E6509E6U};
