// Starts `scenario-tool lsp` for the two source formats: the executable named by the setting
// scenarioTool.path, or scenario-tool found on PATH.
'use strict';

const vscode = require('vscode');
const { LanguageClient, TransportKind } = require('vscode-languageclient/node');

let client;

function eseguibile() {
  const scelto = vscode.workspace.getConfiguration('scenarioTool').get('path');
  return typeof scelto === 'string' && scelto.trim() !== '' ? scelto.trim() : 'scenario-tool';
}

function activate(context) {
  const server = { command: eseguibile(), args: ['lsp'], transport: TransportKind.stdio };
  const opzioni = {
    documentSelector: [
      { scheme: 'file', language: 'scenario-linea' },
      { scheme: 'file', language: 'scenario-treno' },
    ],
    // Sources changed outside the editor (another train source of the same scenario) are
    // checked again too.
    synchronize: {
      fileEvents: vscode.workspace.createFileSystemWatcher('**/{*_linea.txt,*_*-.txt}'),
    },
  };
  client = new LanguageClient('scenarioTool', 'Scenario sources', server, opzioni);
  client.start().catch((errore) => {
    vscode.window.showErrorMessage(
      `Cannot start ${server.command} lsp (${errore.message}). Put scenario-tool on PATH ` +
        'or set scenarioTool.path.');
  });
  // A new path takes effect at the next start of the window.
  context.subscriptions.push(
    vscode.workspace.onDidChangeConfiguration((e) => {
      if (e.affectsConfiguration('scenarioTool.path')) {
        vscode.window.showInformationMessage('scenarioTool.path changed: reload the window to use it.');
      }
    }));
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
