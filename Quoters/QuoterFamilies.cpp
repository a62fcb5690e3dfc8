#include "Quoters/QuoterFamilies.h"

#include "Quoters/Canada/CanadaFamily.h"
#include "Quoters/Google/GoogleFamily.h"
#include "Quoters/Nordic/NordicFamily.h"
#include "Quoters/QuoteSite/QuoteSiteFamily.h"
#include "Quoters/SwissQuote/SwissQuoteFamily.h"
#include "Quoters/Yahoo/YahooRegionalFamily.h"

// A family appears here once it is built; until then its sources are absent and the defaults pass them by.
// The order of these calls does not matter: the manager creates the sources in its own registration order.
void RegisterQuoterFamilies()
{
	RegisterCanadianQuoters();
	RegisterGoogleQuoters();
	RegisterNordicQuoters();
	RegisterQuoteSiteQuoters();
	RegisterSwissQuoteQuoters();
	RegisterCurrencyQuoters();
	RegisterYahooQuoters();
	RegisterYahooRegionalQuoters();
}
