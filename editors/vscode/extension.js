// Starts `scenario_builder lsp` for the descriptions: the line description by
// its name, a train run when a line description stands in its folder.
const path = require('path');
const fs = require('fs');
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function inScenarioFolder(document) {
  if (document.uri.scheme !== 'file' || !document.fileName.endsWith('.txt')) return false;
  const folder = path.dirname(document.fileName);
  return fs.readdirSync(folder).some((name) => name.endsWith('_linea.txt'));
}

function activate(context) {
  const program = vscode.workspace.getConfiguration('scenarioBuilder').get('path');
  client = new LanguageClient(
    'scenarioBuilder',
    'Scenario builder',
    { command: program, args: ['lsp'] },
    { documentSelector: [{ scheme: 'file', language: 'scenario' }] },
  );
  client.start();
  // A train run has no fixed ending: give it the language when its folder
  // holds a line description.
  const adopt = (document) => {
    if (document.languageId === 'plaintext' && inScenarioFolder(document))
      vscode.languages.setTextDocumentLanguage(document, 'scenario');
  };
  vscode.workspace.textDocuments.forEach(adopt);
  context.subscriptions.push(vscode.workspace.onDidOpenTextDocument(adopt));
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
