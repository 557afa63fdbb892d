#include "env/IdentityUrl.h"

#include "env/Identity.h"
#include "http/Url.h"

#include <stdexcept>

ZString withIdentityQuery(const ZString& url)
{
    try {
        http::Url parsed = http::Url::parse(url);
        const ZString identity = identityQueryString(true);
        if (parsed.query.isEmpty() || parsed.query.endsWith(L'&'))
            parsed.query.append(identity);
        else
            parsed.query.appendChar(L'&').append(identity);
        return parsed.toString();
    } catch (const std::runtime_error&) {
        return url;
    }
}
