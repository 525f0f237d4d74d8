/* Test stand-in for the protocol stack's main header: the types, the callback prototype elements
   and the stack's own callbacks that generated files name. */
#ifndef STUB_COPINC_H
#define STUB_COPINC_H

#include <stddef.h>

typedef unsigned int tCopKernel;
#define PUBLIC
#define MEM
#define CCM_DECL_INSTANCE_HDL_

typedef unsigned char tObdBoolean;
typedef signed char tObdInteger8;
typedef short tObdInteger16;
typedef long tObdInteger32;
typedef unsigned char tObdUnsigned8;
typedef unsigned short tObdUnsigned16;
typedef unsigned long tObdUnsigned32;
typedef float tObdReal32;
typedef char tObdVisibleChar;
typedef unsigned char tObdOctetString;
typedef unsigned short tObdUnicodeString;
typedef unsigned long long tObdTimeOfDay;
typedef unsigned long long tObdTimeDifference;
typedef void* tObdDomain;
typedef long tObdInteger24;
typedef double tObdReal64;
typedef long long tObdInteger40;
typedef long long tObdInteger48;
typedef long long tObdInteger56;
typedef long long tObdInteger64;
typedef unsigned long tObdUnsigned24;
typedef unsigned long long tObdUnsigned40;
typedef unsigned long long tObdUnsigned48;
typedef unsigned long long tObdUnsigned56;
typedef unsigned long long tObdUnsigned64;

typedef tCopKernel (*tObdStubCallback)(void MEM* pParam_p);

tCopKernel PUBLIC EmcpCbPreDefinedErrorField(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC PdoCbCfgSyncId(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC PdoCbCfgSyncCycle(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC PdoCbCfgSyncWindow(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NmtsCbConfigLifeGuarding(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC CcmCbStore(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC CcmCbRestore(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC EmcpCbConfigEmergencyId(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC HbcCbConfigHeartbeat(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC HbpCbConfigHeartbeat(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC SdosCbConfigServer(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC SdocCbConfigClient(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC PdoCbConfigCommu(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC PdoCbConfigMapp(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NetCbRequestNmt(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NetCbRequestGuarding(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NetCbScanRange(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NetErrCbErrorQueue(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);
tCopKernel PUBLIC NetCbComChannel(CCM_DECL_INSTANCE_HDL_ void MEM* pParam_p);

#endif
