// Resource ids. Numeric values are fixed; names say what each one is.
#pragma once

#define IDI_SETUP 200
#define IDS_AGREEMENT_TEXT 150
#define IDS_SETUP_NAME 301
#define IDR_PAYLOAD 5001
