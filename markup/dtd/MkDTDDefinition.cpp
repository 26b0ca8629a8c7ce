#include "markup/dtd/MkDTDDefinition.h"

void TMkDTDDefinition::AddType(std::string name, TMkDTDHandler notifyHandler, TMkTypeTest typeTest)
{
    ++version_;
    Items.push_back(std::make_unique<TMkDTDTypeDefiniton>(std::move(name), std::move(notifyHandler),
                                                          std::move(typeTest)));
}

void TMkDTDDefinition::AddEntity(std::string name, std::unique_ptr<TMkDataModel> model)
{
    ++version_;
    Items.push_back(std::make_unique<TMkDTDEntityDefiniton>(std::move(name), std::move(model)));
}

void TMkDTDDefinition::AddElement(std::string name, bool startTagRequired,
                                  TMkDTDHandler skipHandler, TMkDTDHandler notifyHandler,
                                  std::optional<TMkNameList> exclusions,
                                  std::unique_ptr<TMkDataModel> model,
                                  std::optional<TMkNameList> terminators, bool endTagRequired)
{
    auto element = std::make_unique<TMkDTDElementDefiniton>(std::move(name));
    element->StartTagRequired = startTagRequired;
    element->EndTagRequired = endTagRequired;
    element->ContentModel = std::move(model);
    element->Exclusions = std::move(exclusions);
    element->NotifyHandler = std::move(notifyHandler);
    element->SkipHandler = std::move(skipHandler);
    element->Terminators = std::move(terminators);
    ++version_;
    Items.push_back(std::move(element));
}

void TMkDTDDefinition::AddElementExcluding(std::string name, bool startTagRequired,
                                           TMkDTDHandler skipHandler, TMkDTDHandler notifyHandler,
                                           std::string excludedName,
                                           std::unique_ptr<TMkDataModel> model,
                                           std::optional<TMkNameList> terminators,
                                           bool endTagRequired)
{
    AddElement(std::move(name), startTagRequired, std::move(skipHandler), std::move(notifyHandler),
               TMkNameList{std::move(excludedName)}, std::move(model), std::move(terminators),
               endTagRequired);
}
