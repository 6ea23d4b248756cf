#include "lookup/cddb_category_source.h"

namespace lookup {

void CddbCategorySource::requestCategories(catalogue::StatusReport status, Done done)
{
    if (runner_.busy()) {
        done({});
        return;
    }
    QObject::connect(
        &runner_, &CddbExchangeRunner::categoriesFinished, &runner_,
        [status = std::move(status), done = std::move(done)](const CddbListResult& result) {
            const bool arrived = result.outcome == CddbOutcome::Completed && !result.items.empty();
            if (arrived)
                status("");
            else
                status(result.message.empty() ? "No genre (category) choices arrived from the remote database"
                                              : result.message);
            done(arrived ? result.items : std::vector<std::string>{});
        },
        Qt::SingleShotConnection);
    runner_.startCategories();
}

}  // namespace lookup
